#include "client/handin/Submission.h"

#include "client/exam/ExamState.h"
#include "client/exam/ExamView.h"
#include "client/handin/HandInProgress.h"
#include "client/handin/Marking.h"
#include "client/startup/ClientEnvironment.h"
#include "client/startup/ExamFolder.h"
#include "client/startup/Workspace.h"
#include "common/AnswerRecord.h"
#include "common/Prompter.h"
#include "common/ScoreDatabase.h"
#include "common/TextFields.h"
#include "platform/FileSystem.h"
#include "platform/Gbk.h"
#include "platform/PathMapping.h"
#include "platform/ReplacingWrite.h"

#include <cstdio>

namespace olv {

namespace {

constexpr RetryTexts scoreRetries { "不能提交成绩,按确定按钮重试一次.", "还是不能提交成绩,按确定按钮再重试一次.",
    "不能提交成绩,请报告监考人员.", "还是不能提交成绩,重试请按确定按钮.", "不能提交成绩" };

constexpr RetryTexts answerRetries { "不能提交答题情况,按确定按钮重试一次.",
    "还是不能提交答题情况,按确定按钮再重试一次.", "不能提交答题情况,请报告监考人员.",
    "还是不能提交答题情况,重试请按确定按钮.", "不能提交答题情况" };

std::string withCrLf(std::string_view text)
{
    std::string bytes;
    for (char c : text) {
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
    return bytes;
}

// The answer card file at the end of the hand-in: the marked lines written over the card from
// its start (they are two bytes longer than the card lines, so whatever lies beyond them stays),
// then "***" + score + "***". Replaced whole, so a power cut leaves the card or the marked card.
bool writeMarkedAnswerCard(const Workspace& workspace, const ExamState& state, const Marking& marking)
{
    const std::string card
        = withCrLf(answerCardText({ state.answerCard, state.bankQuestionCount, state.elapsedSeconds }));
    std::string marked;
    for (const std::string& line : marking.markedLines)
        marked += line + "\n";
    marked = withCrLf(marked);
    if (marked.size() < card.size())
        marked += card.substr(marked.size());
    char mark[32];
    std::snprintf(mark, sizeof mark, "***%-4d***", marking.score);
    marked += mark;
    return writeReplacing(workspace.answerCardFile(state.examNumber), marked);
}

// `afterCut`: an earlier start of this hand-in may have written the line already. Only the login
// mark or the blank field is then replaced; a line that holds a score is that line.
bool writeScoreLine(File& file, const ExamState& state, const std::string& scoreText, bool afterCut)
{
    const ScoreRecord record { state.className, state.candidateName, state.examNumber, scoreText };
    const std::optional<FoundScoreRecord> found = findScoreRecord(file, state.examNumber, ScoreMatch::Padded);
    const bool inPlace
        = found && (found->record.scoreField == loginMark() || found->record.scoreField == blankScoreField());
    if (inPlace)
        return rewriteScoreRecord(file, *found, record);
    return (afterCut && found) || appendScoreRecord(file, record);
}

// A write that fails once the file is open counts as given up too: the score is then shown
// for writing down instead of being lost.
SubmissionState submitScore(
    const ExamState& state, const ClientEnvironment& env, const std::string& scoreText, bool afterCut)
{
    std::optional<File> file = openWithRetries(env.prompter, nativePath(state.settings.scoreFile, env.localDriveRoot),
        OpenMode::ReadWriteCreate, scoreRetries, state.settings.operatorPassword);
    if (!file || !writeScoreLine(*file, state, scoreText, afterCut))
        return SubmissionState::GivenUp;
    return SubmissionState::Submitted;
}

// How many records of the answer sheet are this very record. Nobody else writes this exam
// number, so the count needs no lock.
int countAnswerRecords(const std::filesystem::path& answerFile, const std::string& record)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(answerFile, error))
        return 0; // missing, or a device that would never end
    int count = 0;
    for (const std::string& line : readAnswerLines(answerFile, record.size() + 1).lines)
        count += line.size() == record.size() + 1 && line.starts_with(record) && line.back() == '\r';
    return count;
}

// `recordsBefore`: when an earlier start of this hand-in may have appended the record, the count
// found before that append; more than that now means it is there.
SubmissionState submitAnswers(
    const ExamState& state, const ClientEnvironment& env, const std::string& record, std::optional<int> recordsBefore)
{
    const std::filesystem::path path = nativePath(state.settings.answerFile, env.localDriveRoot);
    if (recordsBefore && countAnswerRecords(path, record) > *recordsBefore)
        return SubmissionState::Submitted;
    std::optional<File> file = openWithRetries(
        env.prompter, path, OpenMode::WriteAppendCreate, answerRetries, state.settings.operatorPassword);
    if (!file || !appendAnswerRecord(*file, record))
        return SubmissionState::GivenUp;
    return SubmissionState::Submitted;
}

std::string scoreMessage(const ExamState& state, const SubmissionStatus& status)
{
    return gbkToUtf8(state.className + state.examNumber + state.candidateName) + "\n成绩是:" + status.scoreText;
}

void showFailures(const ExamState& state, const SubmissionStatus& status, Prompter& prompter)
{
    if (status.score == SubmissionState::GivenUp)
        prompter.message("***该考生的成绩没有写入数据库***\n请用笔记下.\n" + scoreMessage(state, status));
    if (status.answers == SubmissionState::GivenUp)
        prompter.message("***该考生的答题卷不能写入答题卷文件***");
}

// The hand-in from its start, or from the stage an interrupted one recorded. Every stage is
// recorded in the workspace before it begins; the settings copy and the record go only once the
// candidate has been told, so a power cut anywhere brings the restart back here.
void submitOnce(
    ExamState& state, ExamView& view, const ClientEnvironment& env, const Marking& marking, SubmissionStatus& status)
{
    const Workspace workspace(env.workspace());
    view.disableAnswering();
    view.setHandInCaption("关闭系统");
    const bool afterCut = state.handIn.has_value();
    HandInProgress progress = state.handIn.value_or(HandInProgress { HandInStage::Score, SubmissionState::NotStarted,
        SubmissionState::NotStarted, 0, { state.answerCard, state.bankQuestionCount, state.elapsedSeconds } });
    const HandInStage from = progress.stage;
    status.score = progress.score == SubmissionState::NotStarted ? SubmissionState::Submitted : progress.score;
    status.answers = progress.answers;
    status.scoreText = marking.scoreText();

    if (from == HandInStage::Score) {
        writeHandInProgress(workspace, state.examNumber, progress);
        status.score = submitScore(state, env, status.scoreText, afterCut);
    }
    if (from <= HandInStage::Answers) {
        if (!writeMarkedAnswerCard(workspace, state, marking))
            env.prompter.message("不能打开本地文件.");
        const std::string record = markedAnswerRecord(state, status.scoreText);
        const std::filesystem::path answerFile = nativePath(state.settings.answerFile, env.localDriveRoot);
        const bool mayBeThere = afterCut && from == HandInStage::Answers;
        if (!mayBeThere)
            progress.answerRecordsBefore = countAnswerRecords(answerFile, record);
        progress.stage = HandInStage::Answers;
        progress.score = status.score;
        writeHandInProgress(workspace, state.examNumber, progress);
        status.answers = submitAnswers(
            state, env, record, mayBeThere ? std::optional<int>(progress.answerRecordsBefore) : std::nullopt);
    }
    progress.stage = HandInStage::Copies;
    progress.answers = status.answers;
    writeHandInProgress(workspace, state.examNumber, progress);

    const std::string spaceFreeName = removeSpaces(state.candidateName);
    copyForReview(state.settings, workspace, state.examNumber, spaceFreeName, env.localDriveRoot);
    state.candidateName = spaceFreeName;
    if (state.settings.showScoreAfterExam)
        env.prompter.message(scoreMessage(state, status));
    env.prompter.message("考试结束。请离开考场");
    // The settings copy first: without it nothing resumes, and a fresh start clears the record.
    removeFile(workspace.settingsCopy());
    removeFile(workspace.handInFile(state.examNumber));
    state.handIn.reset();
}

void runExitSteps(const ExamState& state, ExamView& view, Prompter& prompter, const SubmissionStatus& status)
{
    const ExamSettings& settings = state.settings;
    if (settings.passwordToExit && !settings.operatorPassword.empty()) {
        if (!askOperatorPassword(prompter, settings.operatorPassword)) {
            prompter.message("对不起,你输入口令不正确,不能退出.");
            return;
        }
        showFailures(state, status, prompter);
        prompter.message(scoreMessage(state, status));
        view.closeWindow();
        return;
    }
    if (status.score == SubmissionState::GivenUp || status.answers == SubmissionState::GivenUp) {
        if (!askOperatorPassword(prompter, settings.operatorPassword))
            return;
        showFailures(state, status, prompter);
    }
    view.closeWindow();
}

} // namespace

void markAndSubmit(ExamState& state, ExamView& view, const ClientEnvironment& env, SubmissionStatus& status)
{
    if (status.running)
        return;
    status.running = true;
    struct Finished
    {
        bool& running;
        ~Finished() { running = false; }
    } finished { status.running };
    // Marking runs on every entry; only the first uses it. The marked card it writes is the same
    // every time, so later entries leave the file alone.
    const Marking marking = markAnswerCard(state.paper, state.answerCard, state.settings);
    if (!status.markingStarted())
        submitOnce(state, view, env, marking, status);
    runExitSteps(state, view, env.prompter, status);
}

std::optional<File> openWithRetries(Prompter& prompter, const std::filesystem::path& path, OpenMode mode,
    const RetryTexts& texts, std::string_view operatorPassword)
{
    for (std::string_view message : { texts.firstMessage, texts.secondMessage, texts.thirdMessage }) {
        if (std::optional<File> file = File::open(path, mode, Sharing::Exclusive, candidateLockWait))
            return file;
        prompter.message(message);
    }
    while (!askOperatorPassword(prompter, operatorPassword)) { }
    for (;;) {
        if (std::optional<File> file = File::open(path, mode, Sharing::Exclusive, candidateLockWait))
            return file;
        if (!prompter.confirm(texts.question, texts.caption))
            return std::nullopt;
    }
}

bool askOperatorPassword(Prompter& prompter, std::string_view operatorPassword)
{
    return utf8ToGbk(prompter.password()) == operatorPassword;
}

} // namespace olv
