#include "client/StartupFixture.h"
#include "client/driver/ExamScript.h"
#include "client/exam/AnswerCardLine.h"
#include "client/startup/Workspace.h"
#include "common/ExamSettingsFile.h"
#include "common/ScoreDatabase.h"
#include "common/TextFields.h"
#include "platform/PathMapping.h"
#include "support/ChildProcess.h"

#include <chrono>
#include <csignal>
#include <random>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace olv {
namespace {

using test::PaperShape;
using test::ScriptedConfirm;
using test::scriptExamNumber;

constexpr int killedRuns = 40;
constexpr int confirmsBeforeHandIn = 60;
constexpr int maxHandInRuns = 40;
constexpr int bankQuestions = 31;
const PaperShape paperShape { 6, 10, 14 };
const int points[] = { 1, 2, 1 }; // per kind, whole so the expected score needs no rounding

std::vector<std::string> words(std::string_view text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t space; (space = text.find(' ', start)) != std::string_view::npos; start = space + 1)
        parts.emplace_back(text.substr(start, space - start));
    parts.emplace_back(text.substr(start));
    return parts;
}

// The answer card with the time saved with it, as a start restores it or the file holds it.
struct CardState
{
    std::vector<std::string> lines;
    long elapsedSeconds = 0;
    bool operator==(const CardState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const CardState& card)
{
    out << card.elapsedSeconds << " s:";
    for (const std::string& line : card.lines)
        out << ' ' << line;
    return out;
}

CardState blankCard()
{
    CardState card;
    for (int number = 1; number <= paperShape.questionCount; ++number)
        card.lines.push_back(answerCardLine(number, {}));
    return card;
}

CardState afterConfirm(CardState card, const ScriptedConfirm& confirm)
{
    card.lines.at(static_cast<std::size_t>(confirm.question - 1)) = answerCardLine(confirm.question, confirm.answer);
    card.elapsedSeconds = confirm.elapsedSeconds;
    return card;
}

CardState afterNextConfirm(const CardState& card)
{
    return afterConfirm(card, test::nextConfirm(paperShape, card.elapsedSeconds));
}

// What one run of the driver logged, complete lines only: the kill may cut off the last one.
struct RunLog
{
    std::string text;
    std::string startMode;
    std::optional<CardState> restored;
    std::vector<ScriptedConfirm> confirms;
    std::optional<std::string> handedInScore;
    bool done = false;
};

RunLog parseRunLog(const std::string& text)
{
    RunLog log;
    log.text = text;
    std::istringstream lines(text.substr(0, text.rfind('\n') + 1));
    for (std::string line; std::getline(lines, line);) {
        const std::vector<std::string> parts = words(line);
        const std::string rest = line.substr(std::min(line.size(), parts[0].size() + 1));
        if (parts[0] == "start") {
            log.startMode = rest;
        } else if (parts[0] == "card") {
            log.restored = CardState { { parts.begin() + 2, parts.end() }, std::stol(parts.at(1)) };
        } else if (parts[0] == "confirmed") {
            log.confirms.push_back({ std::stoi(parts.at(1)), parts.at(2), std::stol(parts.at(3)) });
        } else if (parts[0] == "handed-in") {
            log.handedInScore = rest;
        } else if (parts[0] == "done") {
            log.done = true;
        } else if (parts[0] != "idle" && parts[0] != "message" && parts[0] != "confirm") {
            // Prompts the driver was prepared for pass; it ends with "unexpected" on any other.
            ADD_FAILURE() << "driver: " << line;
        }
    }
    return log;
}

struct ExpectedMarking
{
    std::string score;
    std::string marks;
};

int lineCount(const std::string& bytes)
{
    int count = 0;
    for (std::size_t at = 0; (at = bytes.find("\r\n", at)) != std::string::npos; at += 2)
        ++count;
    return count;
}

// One exam machine whose client is killed again and again while the candidate confirms answers.
// What the driver logged is what the candidate saw confirmed; each restart must bring all of it
// back. A confirm whose write finished just before the kill has no log line yet, so the files may
// be one scripted confirm ahead of the log, never behind it and never more.
class CrashResumeTest : public test::StartupFixture
{
protected:
    CrashResumeTest()
    {
        ExamSettings settings
            = test::chineseExam(paperShape.singleChoiceEnd, paperShape.multipleChoiceEnd - paperShape.singleChoiceEnd,
                paperShape.questionCount - paperShape.multipleChoiceEnd);
        settings.examMinutes = 9999; // the exam time never runs out here
        settings.singleChoicePoints = static_cast<float>(points[0]);
        settings.multipleChoicePoints = static_cast<float>(points[1]);
        settings.trueFalsePoints = static_cast<float>(points[2]);
        settings.drawMode = DrawMode::ByExamNumber;
        settings.shuffleQuestions = 1;
        settings.shuffleOptions = 1;
        settings.rosterRequired = 1;
        settings.showScoreAfterExam = 0;
        settings.passwordToExit = 0;
        EXPECT_TRUE(writeExamSettings("olvane.dat", settings));
        answerFile = nativePath(settings.answerFile, env.localDriveRoot);
        writeBank(test::sampleBank(15, 8, 8));
        writeRoster({ test::rosterLine("二班", "李四", "1000"), test::rosterLine("一班", "张三", "1001"),
            test::rosterLine("二班", "王五", "1002") });
    }

    test::ChildProcess launch(int run, const std::vector<std::string>& options) const
    {
        std::vector<std::string> arguments { EXAM_DRIVER_PATH, dir.path().string(), env.localDriveRoot.string(),
            logOf(run).string() };
        arguments.insert(arguments.end(), options.begin(), options.end());
        return test::ChildProcess([arguments](test::ChildProcess::Link&) {
            std::vector<char*> argv;
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            return 127;
        });
    }

    // Kills at random: either the driver kills itself up to 3 ms after it began one of its first
    // confirms, or the test kills it after up to 150 ms, which may still be in the start-up.
    int runAndKill(int run, std::mt19937& random) const
    {
        if (run % 2 == 0) {
            const int confirm = std::uniform_int_distribution(1, 20)(random);
            const int delay = std::uniform_int_distribution(0, 3000)(random);
            return launch(run, { "--die-at-confirm", std::to_string(confirm), "--die-delay-us", std::to_string(delay) })
                .wait();
        }
        test::ChildProcess child = launch(run, {});
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution(0, 150000)(random)));
        child.kill();
        return child.wait();
    }

    std::filesystem::path logOf(int run) const { return logs / ("run" + std::to_string(run) + ".log"); }
    RunLog readLog(int run) const
    {
        return std::filesystem::exists(logOf(run)) ? parseRunLog(test::readBytes(logOf(run))) : RunLog {};
    }

    // Checks a run's log against what earlier runs confirmed and follows its confirms.
    void checkRun(const RunLog& log)
    {
        SCOPED_TRACE(log.text);
        if (!log.restored) {
            EXPECT_TRUE(log.confirms.empty());
            return;
        }
        if (!started) {
            // Nothing can have been confirmed before the first start the log saw.
            EXPECT_EQ(*log.restored, blankCard());
            started = true;
            known = *log.restored;
        } else {
            EXPECT_EQ(log.startMode, "resumed");
            expectKnownOrOneAhead(*log.restored);
        }
        for (const ScriptedConfirm& confirm : log.confirms) {
            const ScriptedConfirm expected = test::nextConfirm(paperShape, known.elapsedSeconds);
            EXPECT_EQ(confirm, expected) << confirm.question << " " << confirm.answer << " " << confirm.elapsedSeconds;
            known = afterConfirm(known, expected);
        }
    }

    void expectKnownOrOneAhead(const CardState& found)
    {
        if (found == known)
            return;
        const CardState ahead = afterNextConfirm(known);
        EXPECT_EQ(found, ahead) << "confirmed before the kill: " << known;
        known = ahead;
    }

    // Whatever moment the kill chose, every workspace file is whole.
    void checkWorkspace()
    {
        const Workspace workspace(env.workspace());
        if (std::filesystem::exists(workspace.settingsCopy())) {
            EXPECT_EQ(lineCount(test::readBytes(workspace.settingsCopy())), 24);
            ExamSettings copy;
            std::string examNumber;
            EXPECT_EQ(readExamSettings(workspace.settingsCopy(), copy, examNumber), SettingsRead::Read);
            EXPECT_EQ(examNumber, scriptExamNumber);
        }
        if (std::filesystem::exists(workspace.answerCardFile(scriptExamNumber))) {
            const std::optional<AnswerCardFile> card
                = readAnswerCardFile(workspace, scriptExamNumber, paperShape.questionCount);
            ASSERT_TRUE(card) << test::readBytes(workspace.answerCardFile(scriptExamNumber));
            EXPECT_EQ(card->bankQuestionCount, bankQuestions);
            const CardState found { card->lines, card->elapsedSeconds };
            if (!started)
                EXPECT_EQ(found, blankCard());
            else
                expectKnownOrOneAhead(found);
        }
        if (started)
            checkStartedWorkspace(workspace);
    }

    // Once an exam has started it stays resumable, on the very same stored paper.
    void checkStartedWorkspace(const Workspace& workspace)
    {
        EXPECT_TRUE(isWorkspaceComplete(workspace, scriptExamNumber));
        const std::string paperBytes = test::readBytes(workspace.paperFile(scriptExamNumber));
        const std::string indexBytes = test::readBytes(workspace.questionIndexFile(scriptExamNumber));
        if (storedPaper.empty()) {
            storedPaper = paperBytes;
            storedIndex = indexBytes;
        }
        EXPECT_TRUE(paperBytes == storedPaper) << "the stored paper changed";
        EXPECT_EQ(indexBytes, storedIndex);
    }

    // The score the final answer card earns on the stored paper, and the answer sheet marks
    // that go with it.
    ExpectedMarking expectedMarking() const
    {
        const Workspace workspace(env.workspace());
        ExamPaper stored;
        stored.questions = readQuestionBank(workspace.paperFile(scriptExamNumber), dir / "read.bak").bank.value();
        stored.bankNumbers = readQuestionIndex(workspace, scriptExamNumber, paperShape.questionCount).value();
        int score = 0;
        std::string marks(bankQuestions, '*');
        for (int number = 1; number <= paperShape.questionCount; ++number) {
            const Question& question = stored.question(number);
            const bool right
                = answerOfCardLine(known.lines.at(static_cast<std::size_t>(number - 1))) == question.answer;
            score += right ? points[static_cast<int>(question.kind)] : 0;
            marks.at(static_cast<std::size_t>(stored.bankNumbers.at(static_cast<std::size_t>(number - 1)) - 1))
                = right ? 'R' : 'E';
        }
        return { std::to_string(score), marks };
    }

    // The score database, byte for byte, with candidate 1001's score field as given.
    static std::string rosterWith(const std::string& scoreField)
    {
        EXPECT_EQ(writeScoreDatabase("expected.kcj",
                      { test::rosterLine("二班", "李四", "1000"),
                          { test::gbk("一班"), test::gbk("张三"), "1001", scoreField },
                          test::rosterLine("二班", "王五", "1002") }),
            FileResult::Done);
        return test::readBytes("expected.kcj");
    }

    std::string answerSheet() const
    {
        return std::filesystem::exists(answerFile) ? test::readBytes(answerFile) : std::string();
    }
    std::string answerRecordOf(const std::string& scoreText) const
    {
        return padRight(scoreText, 3) + scriptExamNumber + expectedMarking().marks + "\r\r\n";
    }

    // At any moment of the hand-in the roster line holds the login mark or the score, the answer
    // sheet nothing or the one record, and while the settings copy is there a restart resumes.
    // (Without it, a progress file left by a kill just after the copy went is cleared by the next
    // fresh start.)
    void checkHandInSoFar() const
    {
        const std::string score = expectedMarking().score;
        const std::string roster = test::readBytes("cj.kcj");
        EXPECT_TRUE(roster == rosterWith(loginMark()) || roster == rosterWith(score)) << roster;
        EXPECT_TRUE(answerSheet().empty() || answerSheet() == answerRecordOf(score)) << answerSheet();
        const Workspace workspace(env.workspace());
        if (std::filesystem::exists(workspace.settingsCopy())) {
            EXPECT_TRUE(isWorkspaceComplete(workspace, scriptExamNumber));
        }
    }

    void expectSubmittedOnce(const std::string& scoreText) const
    {
        EXPECT_EQ(test::readBytes("cj.kcj"), rosterWith(scoreText));
        EXPECT_EQ(answerSheet(), answerRecordOf(scoreText));
        for (const char* extension : { ".das", ".kst" })
            EXPECT_TRUE(std::filesystem::exists(dir.path() / "语文期末" / ("1001张三" + std::string(extension))));
    }

    test::TempDir logs;
    std::filesystem::path answerFile;
    bool started = false; // a start has been logged
    CardState known; // the answers and time confirmed so far
    std::string storedPaper;
    std::string storedIndex;
};

TEST_F(CrashResumeTest, AKilledClientResumesWithEveryConfirmedAnswerUntilTheHandIn)
{
    const unsigned seed = std::random_device {}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    for (int run = 0; run < killedRuns; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        EXPECT_EQ(runAndKill(run, random), 128 + SIGKILL) << readLog(run).text;
        checkRun(readLog(run));
        checkWorkspace();
        if (HasFailure())
            return;
    }

    // The hand-in, killed at a random moment again and again until one run gets through. The
    // first run confirms a round of answers before it hands in; the later ones complete the
    // hand-in they find under way, or hand in at once when the kill came before it began.
    long killWindowUs = 1000;
    int run = killedRuns;
    for (; std::filesystem::exists(Workspace(env.workspace()).settingsCopy()); ++run) {
        SCOPED_TRACE("hand-in run " + std::to_string(run));
        ASSERT_LT(run, killedRuns + maxHandInRuns) << "the hand-in never got through";
        const bool last = run + 1 == killedRuns + maxHandInRuns;
        std::vector<std::string> options { "--hand-in-after",
            run == killedRuns ? std::to_string(confirmsBeforeHandIn) : "0" };
        if (!last)
            options.insert(options.end(),
                { "--die-in-hand-in-us",
                    std::to_string(std::uniform_int_distribution<long>(0, killWindowUs)(random)) });
        // Wider each time, so the kills sweep the hand-in on a fast machine and a slow one alike.
        killWindowUs += killWindowUs / 4;
        const int status = launch(run, options).wait();
        const RunLog log = readLog(run);
        // The kill may also come after the driver logged "done", on its way out.
        if (status != 0) {
            EXPECT_EQ(status, 128 + SIGKILL) << log.text;
        } else {
            EXPECT_TRUE(log.done) << log.text;
        }
        checkRun(log);
        if (log.done) {
            EXPECT_EQ(log.handedInScore, expectedMarking().score);
        }
        checkHandInSoFar();
        if (HasFailure())
            return;
    }
    expectSubmittedOnce(expectedMarking().score);
}

} // namespace
} // namespace olv
