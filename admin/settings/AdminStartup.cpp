#include "admin/settings/AdminStartup.h"

#include "common/ExamSettingsFile.h"
#include "common/Prompter.h"
#include "platform/Gbk.h"

namespace olv {

namespace {

bool operatorKnowsPassword(const std::string& password, Prompter& prompter)
{
    for (int entry = 0; entry < operatorPasswordTries; ++entry) {
        const std::optional<std::string> typed = prompter.askOperatorPassword();
        if (!typed)
            return false;
        if (utf8ToGbk(*typed) == password)
            return true;
        prompter.message("你输入的口令不正确,请重新输入");
    }
    return false;
}

} // namespace

std::optional<ExamSettings> startAdmin(const std::filesystem::path& settingsFile, Prompter& prompter)
{
    ExamSettings settings = adminDefaults();
    if (readExamSettings(settingsFile, settings) == SettingsRead::ReadError)
        prompter.message("数据文件使用错误");
    deriveAnswerFile(settings);
    if (!settings.operatorPassword.empty() && !operatorKnowsPassword(settings.operatorPassword, prompter))
        return std::nullopt;
    return settings;
}

} // namespace olv
