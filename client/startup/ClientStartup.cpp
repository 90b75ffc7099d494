#include "client/startup/ClientStartup.h"

#include "client/exam/AnswerCardCheck.h"
#include "client/exam/AnswerCardLine.h"
#include "client/exam/ExamState.h"
#include "client/exam/PaperAssembly.h"
#include "client/handin/HandInProgress.h"
#include "client/login/LoginMark.h"
#include "client/login/ScoreDatabaseOpen.h"
#include "client/startup/ClientEnvironment.h"
#include "client/startup/ClientSettings.h"
#include "client/startup/ExamFolder.h"
#include "client/startup/LocalDisk.h"
#include "client/startup/ScreenCheck.h"
#include "client/startup/Workspace.h"
#include "common/ExamSettingsFile.h"
#include "common/Prompter.h"
#include "common/ScoreDatabase.h"
#include "platform/FileSystem.h"
#include "platform/PathMapping.h"

namespace olv {

namespace {

bool settingsInForce(ExamState& state, const ClientEnvironment& env)
{
    return loadClientSettings(state, env)
        || env.prompter.confirm("还没有对考试进行设置,采用默认方式考试吗？", "不能打开考试数据设置文件");
}

StartMode startModeOf(const ExamState& state)
{
    if (state.settings.reviewMode)
        return StartMode::Review;
    return state.resumed ? StartMode::Resumed : StartMode::Fresh;
}

// Class and name of a resumed candidate come from the score database again.
bool findResumedCandidate(ExamState& state, const ClientEnvironment& env)
{
    std::optional<File> file = openScoreDatabase(state.settings, env);
    if (!file)
        return false;
    std::optional<FoundScoreRecord> found = findScoreRecord(*file, state.examNumber, ScoreMatch::Padded);
    if (!found) {
        file->close();
        env.prompter.message("系统出错,先前所作的考试已不能读取,请重新考式");
        removeFile(Workspace(env.workspace()).settingsCopy());
        return false;
    }
    state.className = found->record.schoolClass;
    state.candidateName = found->record.name;
    return true;
}

// The stored paper is read back as it was presented: nothing drawn, nothing shuffled.
void forceStoredPaper(ExamSettings& settings, const std::string& examNumber)
{
    settings.bankFile = paperFileSetting(examNumber);
    settings.shuffleQuestions = 0;
    settings.shuffleOptions = 0;
    settings.drawMode = DrawMode::BankOrder;
}

bool startResumed(ExamState& state, const ClientEnvironment& env)
{
    if (!findResumedCandidate(state, env))
        return false;
    forceStoredPaper(state.settings, state.examNumber);
    return checkScreenResolution(env.screen, env.prompter, 1024, 768);
}

bool startFresh(ExamState& state, const ClientEnvironment& env, LoginRunner& login)
{
    std::optional<LoginResult> identity = login.run(state.settings.scoreFile, state.settings.rosterRequired != 0);
    if (!identity)
        return false;
    state.className = std::move(identity->className);
    state.candidateName = std::move(identity->candidateName);
    state.examNumber = std::move(identity->examNumber);
    // Left by a finished hand-in of the same exam number; the new exam must not take it for its own.
    removeFile(Workspace(env.workspace()).handInFile(state.examNumber));
    return writeLoginMark(state, env);
}

bool startMode(
    StartMode mode, ExamState& state, const ClientEnvironment& env, LoginRunner& login, ReviewStartup* review)
{
    if (mode == StartMode::Review)
        return review && review->prepare(state);
    createDirectory(nativePath(examFolderName(state.settings), env.localDriveRoot)); // usually there already
    return mode == StartMode::Resumed ? startResumed(state, env) : startFresh(state, env, login);
}

// The answer card of a hand-in under way, or else of the answer card file. Nothing when the
// workspace is damaged: a file missing or short, or numbers that do not fit the exam.
std::optional<AnswerCardFile> readRestoredCard(ExamState& state, const Workspace& workspace)
{
    const int questionCount = state.paper.questionCount();
    HandInProgress progress;
    std::optional<AnswerCardFile> card;
    switch (readHandInProgress(workspace, state.examNumber, questionCount, progress)) {
    case HandInRead::Damaged:
        return std::nullopt;
    case HandInRead::Read:
        card = progress.card;
        state.handIn = std::move(progress);
        break;
    case HandInRead::None:
        card = readAnswerCardFile(workspace, state.examNumber, questionCount);
        break;
    }
    if (!card || !answerCardFits(*card, state.paper, state.settings.examMinutes))
        return std::nullopt;
    return card;
}

bool restoreAnswerCard(ExamState& state, const ClientEnvironment& env, const Workspace& workspace)
{
    std::optional<AnswerCardFile> card = readRestoredCard(state, workspace);
    if (!card) {
        env.prompter.message("本地磁盘中存放的数据不全.请重新考试");
        removeFile(workspace.settingsCopy());
        return false;
    }
    state.answerCard = std::move(card->lines);
    state.bankQuestionCount = card->bankQuestionCount;
    state.elapsedSeconds = card->elapsedSeconds;
    return true;
}

void blankAnswerCard(ExamState& state)
{
    state.answerCard.clear();
    for (int number = 1; number <= state.paper.questionCount(); ++number)
        state.answerCard.push_back(answerCardLine(number, {}));
    state.elapsedSeconds = 0;
}

bool fillAnswerCard(StartMode mode, ExamState& state, const ClientEnvironment& env, ReviewStartup* review)
{
    if (mode == StartMode::Review)
        return review->fillAnswerCard(state);
    const Workspace workspace(env.workspace());
    if (mode == StartMode::Resumed) {
        if (!restoreAnswerCard(state, env, workspace))
            return false;
        // The hand-in under way writes the marked card itself.
        if (state.handIn)
            return true;
    } else {
        blankAnswerCard(state);
    }
    writeAnswerCardFile(workspace, state.examNumber,
        { state.answerCard, state.bankQuestionCount, state.elapsedSeconds }); // the exam goes on without it
    return true;
}

} // namespace

std::optional<StartMode> startExam(
    ExamState& state, const ClientEnvironment& env, LoginRunner& login, ReviewStartup* review)
{
    state.settings = clientDefaults();
    if (!checkLocalDisk(env) || !settingsInForce(state, env))
        return std::nullopt;
    const StartMode mode = startModeOf(state);
    if (!startMode(mode, state, env, login, review) || !assemblePaper(state, env)
        || !fillAnswerCard(mode, state, env, review))
        return std::nullopt;
    return mode;
}

} // namespace olv
