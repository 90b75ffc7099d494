#include "client/startup/ClientSettings.h"

#include "client/exam/ExamState.h"
#include "client/startup/ClientEnvironment.h"
#include "client/startup/Workspace.h"
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

// The client takes any non-zero flag as set, and so holds it as 1: the settings copy then
// writes every flag as 0 or 1, as its format says.
void normaliseFlags(ExamSettings& settings)
{
    for (int* flag : { &settings.shuffleQuestions, &settings.shuffleOptions, &settings.rosterRequired,
             &settings.showScoreAfterExam, &settings.passwordToExit, &settings.reviewMode })
        *flag = *flag != 0;
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
        // An exam is still in progress here: the start-up goes on as a resumed one (which
        // finds the candidate by what could be read) and never offers a fresh login.
        state.settings = std::move(copySettings);
        state.examNumber = std::move(examNumber);
        state.resumed = true;
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

bool loadSettings(ExamState& state, const ClientEnvironment& env)
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

} // namespace

bool loadClientSettings(ExamState& state, const ClientEnvironment& env)
{
    const bool loaded = loadSettings(state, env);
    normaliseFlags(state.settings);
    return loaded;
}

} // namespace olv
