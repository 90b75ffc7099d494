#include "client/login/LoginMark.h"

#include "client/exam/ExamState.h"
#include "client/login/ScoreDatabaseOpen.h"
#include "client/startup/ClientEnvironment.h"
#include "client/startup/ScreenCheck.h"
#include "common/Prompter.h"
#include "common/ScoreDatabase.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Gbk.h"
#include "platform/PathMapping.h"

namespace olv {

namespace {

// Only tests that the bank is there: shared, so a client reading it at this moment does not
// make the check fail.
bool bankOpens(const ExamState& state, const ClientEnvironment& env)
{
    return File::open(nativePath(state.settings.bankFile, env.localDriveRoot), OpenMode::ReadOnly, Sharing::Shared)
        .has_value();
}

bool temporaryCreatable(const std::filesystem::path& probe)
{
    if (!File::open(probe, OpenMode::WriteTruncate, Sharing::Shared))
        return false;
    removeFile(probe);
    return true;
}

bool passesStartupChecks(const ExamState& state, const ClientEnvironment& env)
{
    if (!bankOpens(state, env)) {
        env.prompter.message("不能打开试题库文件\n\n    请报告监考员,检查考试管理中\n设置的试题库文件是否存在.");
        return false;
    }
    if (!temporaryCreatable(env.workspace() / "abc.bak")) {
        env.prompter.message("在d:中不能创建临时文件,");
        return false;
    }
    return checkScreenResolution(env.screen, env.prompter, 1024, 768);
}

} // namespace

bool writeLoginMark(ExamState& state, const ClientEnvironment& env)
{
    // The checks come before the score database is opened, so the file is held only to find the
    // line and write it: a hall logging in at once queues for it, and a check (a message box at
    // worst) would keep every other machine waiting.
    if (!passesStartupChecks(state, env))
        return false;
    std::optional<File> file = openScoreDatabase(state.settings, env);
    if (!file)
        return false;
    std::optional<FoundScoreRecord> found = findScoreRecord(*file, state.examNumber, ScoreMatch::Padded);
    if (found) {
        state.className = found->record.schoolClass;
        state.candidateName = found->record.name;
    } else if (state.settings.rosterRequired) {
        file->close();
        env.prompter.message("考号:" + gbkToUtf8(state.examNumber) + "没有找到.请核对后重输!");
        return false;
    }
    const ScoreRecord record { state.className, state.candidateName, state.examNumber, loginMark() };
    // An exam whose login mark was not written could be started a second time under the same
    // number, and its score would have no line of its own: the database counts as unusable.
    const bool written = found ? rewriteScoreRecord(*file, *found, record) : appendScoreRecord(*file, record);
    file->close(); // before any message: the other machines are waiting
    if (!written)
        env.prompter.message("不能打开文件成绩库文件");
    return written;
}

} // namespace olv
