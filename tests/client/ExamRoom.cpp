#include "client/ExamRoom.h"

#include "client/startup/ClientEnvironment.h"
#include "client/exam/ExamState.h"
#include "client/FakeExamView.h"
#include "client/StartupFixture.h"
#include "client/login/LoginMark.h"
#include "client/login/RosterLookUp.h"
#include "client/handin/Submission.h"
#include "client/startup/Workspace.h"
#include "common/ExamSettingsFile.h"
#include "common/Prompter.h"
#include "common/QuestionBankFile.h"
#include "common/ScoreRecord.h"
#include "common/TextFields.h"
#include "platform/Clock.h"
#include "platform/File.h"
#include "platform/Gbk.h"
#include "platform/Posix.h"
#include "support/ChildProcess.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <map>
#include <stdexcept>
#include <unistd.h>

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

// Every machine blocks reading the same pipe; closing its one writing end wakes them all at once,
// where a byte sent to each in turn would let the first ones start while the last still sleep.
class StartGate
{
public:
    StartGate()
    {
        if (::pipe2(m_fds, O_CLOEXEC) != 0)
            throw std::runtime_error("cannot create the start gate");
    }
    ~StartGate()
    {
        closeEnd(m_fds[0]);
        closeEnd(m_fds[1]);
    }
    StartGate(const StartGate&) = delete;
    StartGate& operator=(const StartGate&) = delete;

    // In a machine, before it says it is ready: otherwise its own copy keeps the gate shut.
    void leaveOpening() { closeEnd(m_fds[1]); }
    int waitingEnd() const { return m_fds[0]; }
    void open() { closeEnd(m_fds[1]); }

    static void waitUntilOpen(int waitingEnd)
    {
        char byte;
        posix::retryOnInterrupt([&] { return ::read(waitingEnd, &byte, 1); });
    }

private:
    static void closeEnd(int& fd)
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    int m_fds[2] = { -1, -1 };
};

constexpr int promptLimit = 31;
constexpr int loginRefused = 32;
constexpr int notCompleted = 64;

// How often each of the expected pieces is missing from `text` cut after every `end`, plus
// the pieces that were not expected (a doubled or damaged one).
int countMismatches(const std::string& text, std::string_view end, const std::vector<std::string>& expected)
{
    std::map<std::string, int> count;
    for (const std::string& piece : expected)
        ++count[piece];
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t found = text.find(end, start);
        const std::size_t stop = found == std::string::npos ? text.size() : found + end.size();
        --count[text.substr(start, stop - start)];
        start = stop;
    }
    int mismatches = 0;
    for (const auto& [piece, left] : count)
        mismatches += std::abs(left);
    return mismatches;
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

int ExamRoom::machineMain(int machine, ChildProcess::Link& link, int gate) const
{
    // The exam folder is the working directory of every machine: the settings name files in it.
    std::filesystem::current_path(m_folder);
    CountingPrompter prompter;
    SizedScreen screen;
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
    StartGate::waitUntilOpen(gate);
    // The login dialog's look-up, then the login mark, as the client runs them.
    const RosterStanding standing = lookUpRoster(state.settings.scoreFile, state.examNumber, false).standing;
    const bool loggedIn = (standing == RosterStanding::NotOnRoster || standing == RosterStanding::NotExamined)
        && writeLoginMark(state, env);
    if (loggedIn)
        markAndSubmit(state, view, env, status);
    const bool done = loggedIn && status.score == SubmissionState::Submitted
        && status.answers == SubmissionState::Submitted && view.closes == 1;
    return std::min(prompter.unexpected, promptLimit) + (loggedIn ? 0 : loginRefused) + (done ? 0 : notCompleted);
}

ExamRoom::Outcome ExamRoom::run() const
{
    StartGate gate;
    std::vector<ChildProcess> children;
    children.reserve(static_cast<std::size_t>(m_machines));
    for (int machine = 0; machine < m_machines; ++machine)
        children.emplace_back([this, machine, &gate](ChildProcess::Link& link) {
            gate.leaveOpening();
            return machineMain(machine, link, gate.waitingEnd());
        });
    Outcome outcome;
    for (ChildProcess& child : children)
        if (!child.waitUntilReady())
            ++outcome.failedMachines;
    const auto start = std::chrono::steady_clock::now();
    gate.open();
    for (ChildProcess& child : children) {
        const int code = child.wait();
        if (code < 0 || code >= 128) { // killed by a signal
            ++outcome.failedMachines;
            continue;
        }
        outcome.refusedLogins += (code & loginRefused) ? 1 : 0;
        outcome.failedMachines += (code & notCompleted) ? 1 : 0;
        outcome.messages += code & promptLimit;
    }
    outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    outcome.missingRecords = missingRecords();
    return outcome;
}

int ExamRoom::missingRecords() const
{
    std::vector<std::string> scoreLines;
    std::vector<std::string> answerRecords;
    for (int machine = 0; machine < m_machines; ++machine) {
        scoreLines.push_back(storedLine(machine, score(machine)));
        answerRecords.push_back(answerRecord(machine));
    }
    for (int other = m_machines; other < m_machines + m_elsewhere; ++other)
        scoreLines.push_back(storedLine(other, blankScoreField()));
    return countMismatches(readBytes(scoreFile()), "\r\n", scoreLines)
        + countMismatches(readBytes(answerFile()), "\r\r\n", answerRecords);
}

} // namespace olv::test
