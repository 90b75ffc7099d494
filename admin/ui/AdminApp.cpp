#include "admin/ui/AdminApp.h"

#include "admin/settings/AdminStartup.h"
#include "admin/ui/AdminTools.h"
#include "admin/settings/ui/SettingsDialog.h"
#include "platform/ReplacingWrite.h"
#include "ui/QtPrompter.h"

namespace olv {

namespace {

constexpr const char* settingsFile = "olvane.dat";

} // namespace

int runAdmin(QtPrompter& prompter, const AdminTools& tools, const std::filesystem::path& localDriveRoot)
{
    std::optional<ExamSettings> settings = startAdmin(settingsFile, prompter);
    if (!settings)
        return 0;
    // A save that took its name stands; the examiner only learns that the share did not confirm it.
    setFolderSyncWarning([&prompter](const std::filesystem::path& saved) {
        prompter.message("文件已保存，但未能确认已写入磁盘（断电时可能丢失）：" + saved.string());
    });
    SettingsDialog dialog(prompter, std::move(*settings), settingsFile, localDriveRoot, tools);
    prompter.setParent(&dialog);
    dialog.exec();
    prompter.setParent(nullptr);
    setFolderSyncWarning(nullptr);
    return 0;
}

} // namespace olv
