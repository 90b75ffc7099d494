#include "client/ExamRoom.h"

#include "client/ClientEnvironment.h"
#include "client/ExamState.h"
#include "client/FakeExamView.h"
#include "client/LoginMark.h"
#include "client/Submission.h"
#include "client/Workspace.h"
#include "common/ExamSettingsFile.h"
#include "common/Prompter.h"
#include "common/QuestionBankFile.h"
#include "common/ScoreRecord.h"
#include "common/TextFields.h"
#include "platform/Clock.h"
#include "platform/File.h"
#include "platform/Gbk.h"
#include "support/ChildProcess.h"

#include <algorithm>
#include <chrono>

namespace olv::test {

namespace {

constexpr int bankQuestionCount = 5;
const std::vector<int> paperBankNumbers { 2, 3, 4, 5 };
const std::string examOver = "考试结束。请离开考场";

// A candidate who sees every prompt; only the exam-over message is expected.
class CountingPrompter : public Prompter
{
public:
    void message(std::string_view text, std::string_view) override
    {
        if (text != examOver)
            ++unexpected;
    }
    bool confirm(std::string_view, std::string_view) override
    {
        ++unexpected;
        return true;
    }
    std::string password() override
    {
        ++unexpected;
        return "pw";
    }
    int unexpected = 0;
};

class RoomScreen : public Screen
{
public:
    int width() const override { return 1024; }
    int height() const override { return 768; }
    bool changeMode(int, int) override { return true; }
    void restoreMode() override { }
};

std::string examNumberOf(int machine) { return padRight(std::to_string(3000 + machine), examNumberWidth); }
std::string classOf(int machine) { return "class" + std::to_string(machine % 3); }
std::string nameOf(int machine) { return "name" + std::to_string(machine); }
// Machine k answers k % 4 of its four questions right.
int rightAnswers(int machine) { return machine % 4; }

ExamSettings roomSettings()
{
    ExamSettings settings = clientDefaults();
    settings.subject = "room";
    settings.examName = "";
    settings.bankFile = "bank.kst";
    settings.scoreFile = "cj.kcj";
    settings.answerFile = "room\\daan.txt";
    settings.singleChoiceCount = 4;
    settings.multipleChoiceCount = 0;
    settings.trueFalseCount = 0;
    settings.singleChoicePoints = 1;
    settings.passwordToExit = 0;
    settings.showScoreAfterExam = 0;
    settings.operatorPassword = "pw";
    return settings;
}

ExamPaper roomPaper()
{
    ExamPaper paper;
    for (int number = 1; number <= 4; ++number)
        paper.questions.singleChoiceQuestions.push_back(
            { QuestionKind::SingleChoice, "q" + std::to_string(number), { "a", "b", "c", "d" }, "A" });
    paper.bankNumbers = paperBankNumbers;
    return paper;
}

} // namespace

ExamRoom::ExamRoom(std::filesystem::path folder, int machines, int onRoster, int elsewhere)
    : m_folder(std::move(folder))
    , m_machines(machines)
    , m_onRoster(onRoster)
    , m_elsewhere(elsewhere)
{ }

std::string ExamRoom::score(int machine) const { return std::to_string(rightAnswers(machine)); }

std::string ExamRoom::storedLine(int machine, const std::string& scoreField) const
{
    return swapLineBytePairs(formatScoreLine({ classOf(machine), nameOf(machine), examNumberOf(machine), scoreField }))
        + "\r\n";
}

std::string ExamRoom::answerRecord(int machine) const
{
    std::string marks = "*";
    for (int i = 0; i < 4; ++i)
        marks += i < rightAnswers(machine) ? 'R' : 'E';
    return padRight(score(machine), 3) + examNumberOf(machine) + marks + "\r\r\n";
}

void ExamRoom::prepare() const
{
    std::filesystem::create_directories(m_folder / "room");
    std::string roster;
    for (int machine = 0; machine < m_onRoster; ++machine)
        roster += storedLine(machine, blankScoreField());
    for (int other = m_machines; other < m_machines + m_elsewhere; ++other)
        roster += storedLine(other, blankScoreField());
    File::open(scoreFile(), OpenMode::WriteTruncate, Sharing::Shared)->write(roster);
    QuestionBank bank;
    bank.singleChoiceQuestions.resize(bankQuestionCount, roomPaper().questions.singleChoiceQuestions[0]);
    writeQuestionBank(bank, m_folder / "bank.kst");
}

int ExamRoom::machineMain(int machine, ChildProcess::Link& link) const
{
    // The exam folder is the working directory of every machine: the settings name files in it.
    std::filesystem::current_path(m_folder);
    CountingPrompter prompter;
    RoomScreen screen;
    FixedClock clock { 0 };
    ClientEnvironment env { m_folder / ("d" + std::to_string(machine)), clock, prompter, screen };
    std::filesystem::create_directories(env.workspace());
    ExamState state;
    state.settings = roomSettings();
    state.examNumber = examNumberOf(machine);
    state.className = padRight(classOf(machine), schoolClassWidth);
    state.candidateName = padRight(nameOf(machine), nameWidth);
    state.paper = roomPaper();
    state.bankQuestionCount = bankQuestionCount;
    for (int i = 0; i < 4; ++i)
        state.answerCard.push_back(std::to_string(i + 1) + "--" + (i < rightAnswers(machine) ? "A" : "B"));
    writeAnswerCardFile(Workspace(env.workspace()), state.examNumber, { state.answerCard, bankQuestionCount, 0 });
    FakeExamView view;
    SubmissionStatus status;

    link.ready();
    link.waitForGo();
    const bool loggedIn = writeLoginMark(state, env);
    if (loggedIn)
        markAndSubmit(state, view, env, status);
    const bool done = loggedIn && status.score == SubmissionState::Submitted
        && status.answers == SubmissionState::Submitted && view.closes == 1;
    return std::min(prompter.unexpected, 99) + (done ? 0 : 100);
}

ExamRoom::Outcome ExamRoom::run() const
{
    std::vector<ChildProcess> children;
    children.reserve(static_cast<std::size_t>(m_machines));
    for (int machine = 0; machine < m_machines; ++machine)
        children.emplace_back([this, machine](ChildProcess::Link& link) { return machineMain(machine, link); });
    Outcome outcome;
    for (ChildProcess& child : children)
        if (!child.waitUntilReady())
            ++outcome.failedMachines;
    const auto start = std::chrono::steady_clock::now();
    for (ChildProcess& child : children)
        child.go();
    for (ChildProcess& child : children) {
        const int code = child.wait();
        outcome.failedMachines += code >= 100 ? 1 : 0;
        outcome.messages += code < 128 ? code % 100 : 0; // 128 and above: killed by a signal
    }
    outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return outcome;
}

} // namespace olv::test
