#include "client/ExamFixture.h"
#include "client/Submission.h"
#include "common/ScoreRecord.h"
#include "common/TextFields.h"
#include "support/ChildProcess.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sched.h>

namespace olv {
namespace {

using test::readBytes;
using test::writeBytes;

constexpr int machines = 20;
constexpr int onRoster = 15; // the others are appended
// Candidates who sit elsewhere: a long roster keeps each machine on the file a little longer,
// so that the machines really meet there.
constexpr int elsewhere = 3000;
constexpr const char* operatorPassword = "pw";

// An invigilator who always retries: every message and question OK, the right password.
class PatientPrompter : public Prompter
{
public:
    void message(std::string_view, std::string_view) override { }
    bool confirm(std::string_view, std::string_view) override
    {
        sched_yield(); // let the machine that holds the file finish
        return true;
    }
    std::string password() override { return operatorPassword; }
};

std::string examNumberOf(int machine) { return padRight(std::to_string(3000 + machine), examNumberWidth); }
std::string classOf(int machine) { return "class" + std::to_string(machine % 3); }
std::string nameOf(int machine) { return "name" + std::to_string(machine); }
// Machine k answers k % 4 of its four questions right.
int scoreOf(int machine) { return machine % 4; }

std::string storedLine(int machine, const std::string& scoreField)
{
    return swapLineBytePairs(formatScoreLine({ classOf(machine), nameOf(machine), examNumberOf(machine), scoreField }))
        + "\r\n";
}

std::string answerRecordOf(int machine)
{
    std::string marks = "*";
    for (int i = 0; i < 4; ++i)
        marks += i < scoreOf(machine) ? 'R' : 'E';
    return padRight(std::to_string(scoreOf(machine)), 3) + examNumberOf(machine) + marks + "\r\r\n";
}

std::vector<std::string> splitAfter(const std::string& text, std::string_view end)
{
    std::vector<std::string> parts;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t found = text.find(end, start);
        std::size_t stop = found == std::string::npos ? text.size() : found + end.size();
        parts.push_back(text.substr(start, stop - start));
        start = stop;
    }
    return parts;
}

class ConcurrentSubmissionTest : public test::ExamFixture
{
protected:
    // What one exam machine does at hand-in; the exit code tells the parent how it went.
    int handIn(int machine, test::ChildProcess::Link& link)
    {
        PatientPrompter patient;
        ClientEnvironment machineEnv { dir / ("d" + std::to_string(machine)), clock, patient, screen };
        std::filesystem::create_directories(machineEnv.workspace());
        state.examNumber = examNumberOf(machine);
        state.className = padRight(classOf(machine), schoolClassWidth);
        state.candidateName = padRight(nameOf(machine), nameWidth);
        state.settings.operatorPassword = operatorPassword;
        state.settings.passwordToExit = 1;
        for (int i = 0; i < 4; ++i)
            state.answerCard[static_cast<std::size_t>(i)]
                = std::to_string(i + 1) + "--" + (i < scoreOf(machine) ? "A" : "B");
        writeAnswerCardFile(Workspace(machineEnv.workspace()), state.examNumber, { state.answerCard, 5, 0 });

        link.ready();
        link.waitForGo();
        SubmissionStatus status;
        markAndSubmit(state, view, machineEnv, status);
        const bool done = status.score == SubmissionState::Submitted && status.answers == SubmissionState::Submitted;
        return done && view.closes == 1 ? 0 : 1;
    }
};

TEST_F(ConcurrentSubmissionTest, ManyMachinesHandingInAtOnceLoseAndDamageNothing)
{
    state.settings.singleChoicePoints = 1;
    startExam(test::paperWithAnswers({ "A", "A", "A", "A" }, {}, {}, { 2, 3, 4, 5 }), 5);
    std::string roster;
    for (int machine = 0; machine < onRoster; ++machine)
        roster += storedLine(machine, machine % 2 ? loginMark() : blankScoreField());
    for (int other = machines; other < machines + elsewhere; ++other)
        roster += storedLine(other, blankScoreField());
    writeBytes(dir / "cj.kcj", roster);

    std::vector<test::ChildProcess> children;
    for (int machine = 0; machine < machines; ++machine)
        children.emplace_back([this, machine](test::ChildProcess::Link& link) { return handIn(machine, link); });
    for (test::ChildProcess& child : children)
        ASSERT_TRUE(child.waitUntilReady());
    for (test::ChildProcess& child : children)
        child.go();
    for (int machine = 0; machine < machines; ++machine)
        EXPECT_EQ(children[static_cast<std::size_t>(machine)].wait(), 0) << "machine " << machine;

    std::string rewritten;
    for (int machine = 0; machine < onRoster; ++machine)
        rewritten += storedLine(machine, std::to_string(scoreOf(machine)));
    rewritten += roster.substr(rewritten.size());
    const std::string scores = readBytes(dir / "cj.kcj");
    ASSERT_GE(scores.size(), rewritten.size());
    EXPECT_EQ(scores.substr(0, rewritten.size()), rewritten);
    std::vector<std::string> appended = splitAfter(scores.substr(rewritten.size()), "\r\n");
    std::vector<std::string> expectedAppended;
    for (int machine = onRoster; machine < machines; ++machine)
        expectedAppended.push_back(storedLine(machine, std::to_string(scoreOf(machine))));
    std::ranges::sort(appended);
    std::ranges::sort(expectedAppended);
    EXPECT_EQ(appended, expectedAppended);

    std::vector<std::string> records = splitAfter(readBytes(dir / "考试/daan.txt"), "\r\r\n");
    std::vector<std::string> expectedRecords;
    for (int machine = 0; machine < machines; ++machine)
        expectedRecords.push_back(answerRecordOf(machine));
    std::ranges::sort(records);
    std::ranges::sort(expectedRecords);
    EXPECT_EQ(records, expectedRecords);
}

} // namespace
} // namespace olv
