#include "client/robot/Walkthrough.h"

#include "client/robot/ClientRobot.h"
#include "client/startup/ClientEnvironment.h"
#include "client/startup/Workspace.h"
#include "common/AnswerRecord.h"
#include "common/ExamSettingsFile.h"
#include "common/QuestionBankFile.h"
#include "common/ScoreDatabase.h"
#include "common/TextFields.h"
#include "platform/Gbk.h"
#include "platform/PathMapping.h"
#include "ui/GbkString.h"

#include <algorithm>
#include <optional>
#include <string>

namespace olv {

namespace {

namespace fs = std::filesystem;

constexpr const char* settingsFile = "olvane.dat";
constexpr const char* examSettingsBackup = "olvane.dat.exam";
const QString scoreMessageMark = QStringLiteral("\n成绩是:");

ScoreRecord firstCandidate(const fs::path& scoreFile)
{
    const TextLines roster = readScoreLines(scoreFile, OpenMode::ReadOnly);
    if (roster.result != FileResult::Done)
        throw WalkthroughError("cannot read the roster " + scoreFile.string());
    for (const std::string& line : roster.lines) {
        ScoreRecord record = splitScoreLineClientRule(swapLineBytePairs(line));
        if (record.scoreField == blankScoreField() && !removeSpaces(record.examNumber).empty())
            return record;
    }
    throw WalkthroughError("every candidate of " + scoreFile.string() + " has sat the exam; stage a fresh copy");
}

ExamPaper drawnPaper(const ExamSettings& settings, const std::string& examNumber, const ClientEnvironment& env)
{
    const fs::path bankFile = nativePath(settings.bankFile, env.localDriveRoot);
    BankReadResult read = readQuestionBank(bankFile, fs::temp_directory_path() / "olvane-walkthrough.bak");
    if (!read.bank)
        throw WalkthroughError("cannot read the question bank " + bankFile.string());
    std::optional<ExamPaper> paper = drawPaper(std::move(*read.bank), settings, examNumber, env.clock.nowSeconds());
    if (!paper)
        throw WalkthroughError("the question bank holds a single-choice question without an answer");
    return std::move(*paper);
}

// A wrong answer that the controls can give: another filled option, the other true/false
// letter, or a multiple-choice answer with a letter missing.
QString wrongAnswer(const Question& question)
{
    const QString right = fromGbk(question.answer);
    if (question.kind == QuestionKind::TrueFalse)
        return right == QStringLiteral("A") ? QStringLiteral("B") : QStringLiteral("A");
    if (question.kind == QuestionKind::MultipleChoice && right.size() > 1)
        return right.chopped(1);
    for (int option = 0; option < 4; ++option) {
        const QString letter(QChar('A' + option));
        if (!question.options[static_cast<std::size_t>(option)].empty() && !right.contains(letter))
            return question.kind == QuestionKind::MultipleChoice ? right + letter : letter;
    }
    return right;
}

// Every third question is answered wrong, the others right.
QString chosenAnswer(const Question& question, int number)
{
    return number % 3 == 0 ? wrongAnswer(question) : fromGbk(question.answer);
}

// The first question of each kind is pictured.
QString questionShot(const ExamPaper& paper, int number)
{
    if (number == 1 && paper.singleChoiceEnd() > 0)
        return QStringLiteral("single-choice");
    if (number == paper.singleChoiceEnd() + 1 && paper.multipleChoiceEnd() > paper.singleChoiceEnd())
        return QStringLiteral("multiple-choice");
    if (number == paper.multipleChoiceEnd() + 1)
        return QStringLiteral("true-false");
    return {};
}

std::string scoreLine(const fs::path& scoreFile, std::string_view examNumber)
{
    std::optional<File> file = File::open(scoreFile, OpenMode::ReadOnly);
    if (!file)
        return "(cannot open " + scoreFile.string() + ")";
    const std::optional<FoundScoreRecord> found = findScoreRecord(*file, examNumber, ScoreMatch::Padded);
    return found ? gbkToUtf8(formatScoreLine(found->record)) : "(no line for the candidate)";
}

std::string answerRecordLine(const fs::path& answerFile, std::string_view examNumber)
{
    std::optional<File> file = File::open(answerFile, OpenMode::ReadOnly);
    if (!file)
        return "(cannot open " + answerFile.string() + ")";
    std::optional<std::string> record = findAnswerRecord(*file, examNumber);
    if (!record)
        return "(no record for the candidate)";
    if (record->ends_with('\r'))
        record->pop_back();
    return gbkToUtf8(*record);
}

} // namespace

WalkthroughExam loadWalkthroughExam(const ClientEnvironment& env)
{
    // A copy left by an unfinished exam would make the client resume it instead of logging in.
    if (fs::exists(Workspace(env.workspace()).settingsCopy()))
        throw WalkthroughError("an exam is in progress in " + env.workspace().string()
            + "; run with HOME set to an empty folder (make demo does)");
    WalkthroughExam exam;
    exam.settings = clientDefaults();
    switch (readExamSettings(settingsFile, exam.settings)) {
    case SettingsRead::Read:
        exam.settingsFound = true;
        break;
    case SettingsRead::NotFound:
        break;
    case SettingsRead::ReadError:
        throw WalkthroughError("cannot read olvane.dat");
    }
    if (exam.settings.reviewMode)
        throw WalkthroughError("olvane.dat has review mode on: there is no exam to sit");
    exam.candidate = firstCandidate(nativePath(exam.settings.scoreFile, env.localDriveRoot));
    exam.paper = drawnPaper(exam.settings, exam.candidate.examNumber, env);
    return exam;
}

void scriptExam(ClientRobot& robot, const WalkthroughExam& exam)
{
    const ScoreRecord& candidate = exam.candidate;
    if (!exam.settingsFound)
        robot.answerMessage(QStringLiteral("还没有对考试进行设置,采用默认方式考试吗？"), QMessageBox::Ok,
            QStringLiteral("不能打开考试数据设置文件"));
    robot.logIn(fromGbk(removeSpaces(candidate.schoolClass)), fromGbk(removeSpaces(candidate.name)),
        fromGbk(removeSpaces(candidate.examNumber)), QStringLiteral("login"));
    robot.answerMessage(
        QStringLiteral("班级:%1\n姓名:%2\n考号:%3\n请确认是否正确!")
            .arg(fromGbk(candidate.schoolClass), fromGbk(candidate.name), fromGbk(candidate.examNumber)),
        QMessageBox::Ok, QStringLiteral("考生信息"), QStringLiteral("login-confirmation"));

    const ExamPaper& paper = exam.paper;
    for (int number = 1; number <= paper.questionCount(); ++number)
        robot.answer(number, chosenAnswer(paper.question(number), number), questionShot(paper, number));
    robot.press(QStringLiteral("开头"));
    robot.screenshot(QStringLiteral("answered"));

    robot.handIn(QStringLiteral("hand-in"));
    if (exam.settings.showScoreAfterExam)
        robot.answerMessageContaining(scoreMessageMark, QMessageBox::Ok, QStringLiteral("score"));
    robot.answerMessage(
        QStringLiteral("考试结束。请离开考场"), QMessageBox::Ok, QString(), QStringLiteral("exam-over"));
    if (exam.settings.passwordToExit && !exam.settings.operatorPassword.empty()) {
        robot.enterPassword(fromGbk(exam.settings.operatorPassword), QStringLiteral("exit-password"));
        robot.answerMessageContaining(scoreMessageMark);
    }
}

void switchToReviewMode(const WalkthroughExam& exam)
{
    std::error_code failed;
    if (exam.settingsFound)
        fs::copy_file(settingsFile, examSettingsBackup, fs::copy_options::overwrite_existing, failed);
    ExamSettings settings = exam.settings;
    settings.reviewMode = 1;
    if (failed || !writeExamSettings(settingsFile, settings))
        throw WalkthroughError("cannot switch olvane.dat to review mode");
}

void restoreExamSettings(const WalkthroughExam& exam)
{
    std::error_code failed;
    if (exam.settingsFound)
        fs::rename(examSettingsBackup, settingsFile, failed);
    else
        fs::remove(settingsFile, failed);
    if (failed)
        throw WalkthroughError("cannot put olvane.dat back as it was");
}

void scriptReview(ClientRobot& robot, const WalkthroughExam& exam)
{
    robot.reviewLogIn(fromGbk(removeSpaces(exam.candidate.examNumber)), QStringLiteral("review-login"));
    // Question 3 was answered wrong.
    const int shown = std::min(3, exam.paper.questionCount());
    for (int number = 1; number < shown; ++number)
        robot.press(QStringLiteral("下题"));
    robot.screenshot(QStringLiteral("review"));
    if (shown > 0) {
        robot.press(QStringLiteral("正确答案"));
        robot.answerMessage(QStringLiteral("正确答案是:") + fromGbk(exam.paper.question(shown).answer), QMessageBox::Ok,
            QString(), QStringLiteral("correct-answer"));
    }
    robot.press(QStringLiteral("关闭系统"));
}

void printResults(std::ostream& out, const WalkthroughExam& exam, const ClientEnvironment& env)
{
    const std::string& examNumber = exam.candidate.examNumber;
    out << "score database line:  " << scoreLine(nativePath(exam.settings.scoreFile, env.localDriveRoot), examNumber)
        << '\n'
        << "answer sheet record:  "
        << answerRecordLine(nativePath(exam.settings.answerFile, env.localDriveRoot), examNumber) << '\n';
}

} // namespace olv
