#include "client/Submission.h"

#include "client/ClientEnvironment.h"
#include "client/ExamFolder.h"
#include "client/ExamState.h"
#include "client/ExamView.h"
#include "client/Marking.h"
#include "client/Workspace.h"
#include "common/AnswerRecord.h"
#include "common/Prompter.h"
#include "common/ScoreDatabase.h"
#include "common/TextFields.h"
#include "platform/FileSystem.h"
#include "platform/Gbk.h"
#include "platform/PathMapping.h"

#include <cstdio>

namespace olv {

namespace {

constexpr RetryTexts scoreRetries { "不能提交成绩,按确定按钮重试一次.", "还是不能提交成绩,按确定按钮再重试一次.",
    "不能提交成绩,请报告监考人员.", "还是不能提交成绩,重试请按确定按钮.", "不能提交成绩" };

constexpr RetryTexts answerRetries { "不能提交答题情况,按确定按钮重试一次.",
    "还是不能提交答题情况,按确定按钮再重试一次.", "不能提交答题情况,请报告监考人员.",
    "还是不能提交答题情况,重试请按确定按钮.", "不能提交答题情况" };

// The marked lines are two bytes longer than the lines confirm wrote, so they cover the
// start of the file; whatever lies beyond them stays.
Marking markAndWriteLines(const ExamState& state, const Workspace& workspace)
{
    Marking marking = markAnswerCard(state.paper, state.answerCard, state.settings);
    std::optional<File> card
        = File::open(workspace.answerCardFile(state.examNumber), OpenMode::ReadWriteExisting, Sharing::Shared);
    if (card) {
        std::string text;
        for (const std::string& line : marking.markedLines)
            text += line + "\n";
        card->writeText(text);
    }
    return marking;
}

bool writeScoreLine(File& file, const ExamState& state, const std::string& scoreText)
{
    const ScoreRecord record { state.className, state.candidateName, state.examNumber, scoreText };
    const std::optional<FoundScoreRecord> found = findScoreRecord(file, state.examNumber, ScoreMatch::Padded);
    const bool inPlace
        = found && (found->record.scoreField == loginMark() || found->record.scoreField == blankScoreField());
    return inPlace ? rewriteScoreRecord(file, *found, record) : appendScoreRecord(file, record);
}

// A write that fails once the file is open counts as given up too: the score is then shown
// for writing down instead of being lost.
SubmissionState submitScore(const ExamState& state, const ClientEnvironment& env, const std::string& scoreText)
{
    std::optional<File> file = openWithRetries(env.prompter, nativePath(state.settings.scoreFile, env.localDriveRoot),
        OpenMode::ReadWriteCreate, scoreRetries, state.settings.operatorPassword);
    if (!file || !writeScoreLine(*file, state, scoreText))
        return SubmissionState::GivenUp;
    return SubmissionState::Submitted;
}

SubmissionState submitAnswers(const ExamState& state, const ClientEnvironment& env, const std::string& scoreText)
{
    std::optional<File> file = openWithRetries(env.prompter, nativePath(state.settings.answerFile, env.localDriveRoot),
        OpenMode::WriteAppendCreate, answerRetries, state.settings.operatorPassword);
    if (!file || !appendAnswerRecord(*file, markedAnswerRecord(state, scoreText)))
        return SubmissionState::GivenUp;
    return SubmissionState::Submitted;
}

void appendScoreMark(const Workspace& workspace, const ExamState& state, int score, Prompter& prompter)
{
    std::optional<File> card
        = File::open(workspace.answerCardFile(state.examNumber), OpenMode::ReadWriteExisting, Sharing::Shared);
    if (!card) {
        prompter.message("不能打开本地文件.");
        return;
    }
    char mark[32];
    std::snprintf(mark, sizeof mark, "***%-4d***", score);
    card->seekToEnd();
    card->write(mark);
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

void submitOnce(
    ExamState& state, ExamView& view, const ClientEnvironment& env, const Marking& marking, SubmissionStatus& status)
{
    const Workspace workspace(env.workspace());
    view.disableAnswering();
    view.setHandInCaption("关闭系统");
    status.score = SubmissionState::Submitted;
    status.scoreText = marking.scoreText();
    status.score = submitScore(state, env, status.scoreText);
    appendScoreMark(workspace, state, marking.score, env.prompter);
    removeFile(workspace.settingsCopy());
    status.answers = submitAnswers(state, env, status.scoreText);

    state.candidateName = removeSpaces(state.candidateName);
    copyForReview(state.settings, workspace, state.examNumber, state.candidateName, env.localDriveRoot);
    if (state.settings.showScoreAfterExam)
        env.prompter.message(scoreMessage(state, status));
    env.prompter.message("考试结束。请离开考场");
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
    const Marking marking = markAndWriteLines(state, Workspace(env.workspace()));
    if (!status.markingStarted())
        submitOnce(state, view, env, marking, status);
    runExitSteps(state, view, env.prompter, status);
}

std::optional<File> openWithRetries(Prompter& prompter, const std::filesystem::path& path, OpenMode mode,
    const RetryTexts& texts, std::string_view operatorPassword)
{
    for (std::string_view message : { texts.firstMessage, texts.secondMessage, texts.thirdMessage }) {
        if (std::optional<File> file = File::open(path, mode, Sharing::Exclusive))
            return file;
        prompter.message(message);
    }
    while (!askOperatorPassword(prompter, operatorPassword)) { }
    for (;;) {
        if (std::optional<File> file = File::open(path, mode, Sharing::Exclusive))
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
