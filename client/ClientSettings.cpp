#include "client/ClientSettings.h"

#include "client/ClientEnvironment.h"
#include "client/ExamState.h"
#include "client/Workspace.h"
#include "common/ExamSettingsFile.h"
#include "common/Prompter.h"
#include "platform/FileSystem.h"

namespace olv {

namespace {

constexpr const char* settingsFileName = "olvane.dat";

bool reportReadError(const ClientEnvironment& env)
{
    env.prompter.message("数据文件使用错误");
    return false;
}

// Nothing when there is no copy to resume; otherwise whether loading is over.
std::optional<bool> resumeFromCopy(ExamState& state, const ClientEnvironment& env, const Workspace& workspace)
{
    ExamSettings copySettings = state.settings;
    std::string examNumber;
    switch (readExamSettings(workspace.settingsCopy(), copySettings, examNumber)) {
    case SettingsRead::NotFound:
        return std::nullopt;
    case SettingsRead::ReadError:
        state.settings = std::move(copySettings);
        return reportReadError(env);
    case SettingsRead::Read:
        break;
    }
    if (!isWorkspaceComplete(workspace, examNumber)) {
        env.prompter.message("本地数据已不完整,请重新开始考试.");
        removeFile(workspace.settingsCopy());
        return std::nullopt;
    }
    state.settings = std::move(copySettings);
    state.examNumber = std::move(examNumber);
    state.resumed = true;
    return true;
}

} // namespace

bool loadClientSettings(ExamState& state, const ClientEnvironment& env)
{
    state.resumed = false;
    if (std::optional<bool> loaded = resumeFromCopy(state, env, Workspace(env.workspace())))
        return *loaded;
    switch (readExamSettings(settingsFileName, state.settings)) {
    case SettingsRead::NotFound:
        return false;
    case SettingsRead::ReadError:
        return reportReadError(env);
    case SettingsRead::Read:
        break;
    }
    state.examNumber.clear();
    return true;
}

} // namespace olv
