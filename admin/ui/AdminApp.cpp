#include "admin/ui/AdminApp.h"

#include "admin/settings/AdminStartup.h"
#include "admin/ui/AdminTools.h"
#include "admin/settings/ui/SettingsDialog.h"
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
    SettingsDialog dialog(prompter, std::move(*settings), settingsFile, localDriveRoot, tools);
    prompter.setParent(&dialog);
    dialog.exec();
    prompter.setParent(nullptr);
    return 0;
}

} // namespace olv
