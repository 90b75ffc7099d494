// A headless exam client for the crash test. It starts the exam in a working folder (or resumes
// it), confirms scripted answers and logs each confirm once it has returned, until it is killed,
// or hands in after a given number of confirms.
//
//   ExamDriver WORKDIR DRIVEROOT LOG [--hand-in-after N] [--die-at-confirm K --die-delay-us D]
//              [--die-in-hand-in-us H]
//
// Without --hand-in-after it stops confirming after a while and waits to be killed, so a run
// that is meant to be killed never reaches the hand-in. --die-at-confirm makes the driver kill
// itself D microseconds after it started its K-th confirm, so the kill lands in or near a write;
// --die-in-hand-in-us kills it H microseconds after the hand-in began. A start that finds a
// hand-in under way completes it at once.
//
// Log lines, each on the disk before the driver goes on:
//   start fresh|resumed
//   card ELAPSED LINE ...
//   confirmed QUESTION ANSWER ELAPSED
//   message TEXT | confirm TEXT        (prompts it was prepared for)
//   unexpected TEXT                     (then it exits with 3)
//   idle | handed-in SCORE | done

#include "client/FakeExamView.h"
#include "client/StartupFixture.h"
#include "client/driver/ExamScript.h"
#include "client/exam/AnswerCardLine.h"
#include "client/exam/ExamSession.h"
#include "client/exam/ExamState.h"
#include "client/startup/ClientEnvironment.h"
#include "client/startup/ClientStartup.h"
#include "common/Prompter.h"
#include "platform/File.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <unistd.h>

namespace olv::test {
namespace {

// A run meant to be killed stops here, well before the exam time is used up.
constexpr int confirmsBeforeIdle = 200;

class DriverLog
{
public:
    explicit DriverLog(const std::filesystem::path& path)
        : m_file(File::open(path, OpenMode::WriteAppendCreate, Sharing::Shared))
    { }

    void line(std::string text)
    {
        for (char& c : text) {
            if (c == '\n')
                c = '|';
        }
        if (!m_file || !m_file->write(text + "\n") || !m_file->sync())
            std::_Exit(4);
    }

    [[noreturn]] void fail(std::string_view what)
    {
        line("unexpected " + std::string(what));
        std::_Exit(3);
    }

private:
    std::optional<File> m_file;
};

// Says OK to the prompts a crash may lead to and to those of the hand-in; any other prompt
// ends the driver.
class AgreeingPrompter : public Prompter
{
public:
    explicit AgreeingPrompter(DriverLog& log)
        : m_log(log)
    { }

    void message(std::string_view text, std::string_view) override
    {
        // The first start can be killed between the settings copy and the answer card file.
        if (text != "本地数据已不完整,请重新开始考试." && text != "考试结束。请离开考场")
            m_log.fail(text);
        m_log.line("message " + std::string(text));
    }
    bool confirm(std::string_view text, std::string_view) override
    {
        if (text != "考试时间还没到，你真的要结束考试吗？")
            m_log.fail(text);
        m_log.line("confirm " + std::string(text));
        return true;
    }
    std::string password() override { m_log.fail("password"); }

private:
    DriverLog& m_log;
};

struct Options
{
    std::filesystem::path workingFolder;
    std::filesystem::path driveRoot;
    std::filesystem::path log;
    int handInAfter = -1;
    int dieAtConfirm = -1;
    long dieDelayMicroseconds = 0;
    long dieInHandInMicroseconds = -1;
};

std::optional<Options> parseOptions(int argc, char** argv)
{
    if (argc < 4)
        return std::nullopt;
    Options options { argv[1], argv[2], argv[3] };
    for (int i = 4; i + 1 < argc; i += 2) {
        const std::string_view name = argv[i];
        const long value = std::atol(argv[i + 1]);
        if (name == "--hand-in-after")
            options.handInAfter = static_cast<int>(value);
        else if (name == "--die-at-confirm")
            options.dieAtConfirm = static_cast<int>(value);
        else if (name == "--die-delay-us")
            options.dieDelayMicroseconds = value;
        else if (name == "--die-in-hand-in-us")
            options.dieInHandInMicroseconds = value;
        else
            return std::nullopt;
    }
    return options;
}

PaperShape shapeOf(const ExamPaper& paper)
{
    return { paper.singleChoiceEnd(), paper.multipleChoiceEnd(), paper.questionCount() };
}

std::string cardLogLine(const ExamState& state)
{
    std::string text = "card " + std::to_string(state.elapsedSeconds);
    for (const std::string& line : state.answerCard)
        text += " " + line;
    return text;
}

ExamView::AnswerInput inputFor(const PaperShape& shape, const ScriptedConfirm& confirm)
{
    ExamView::AnswerInput input;
    const bool multiple = confirm.question > shape.singleChoiceEnd && confirm.question <= shape.multipleChoiceEnd;
    for (char letter : confirm.answer) {
        const int index = letter - 'A';
        if (multiple)
            input.checks.at(static_cast<std::size_t>(index)) = true;
        else
            input.radio = index;
    }
    return input;
}

void killSelfAfter(long microseconds)
{
    std::thread([microseconds] {
        std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
        ::kill(::getpid(), SIGKILL);
    }).detach();
}

class Driver
{
public:
    Driver(const Options& options, DriverLog& log)
        : m_options(options)
        , m_log(log)
        , m_prompter(log)
        , m_env { options.driveRoot, m_clock, m_prompter, m_screen }
        , m_session(m_state, m_view, m_env)
    { }

    int run()
    {
        start();
        if (m_state.handIn) {
            dieInHandIn();
            m_session.resumeHandIn();
        } else {
            for (int done = 0; done != m_options.handInAfter; ++done) {
                if (m_options.handInAfter < 0 && done == confirmsBeforeIdle)
                    idle();
                confirmNext(done + 1 == m_options.dieAtConfirm);
            }
            dieInHandIn();
            m_session.handIn();
        }
        if (m_view.closes != 1)
            m_log.fail("the window stayed open after the hand-in");
        m_log.line("handed-in " + m_session.submission().scoreText);
        m_log.line("done");
        return 0;
    }

private:
    void start()
    {
        const std::optional<StartMode> mode = startExam(m_state, m_env, m_login);
        if (!mode || *mode == StartMode::Review)
            m_log.fail("start");
        m_log.line(*mode == StartMode::Fresh ? "start fresh" : "start resumed");
        m_log.line(cardLogLine(m_state));
        m_session.goToQuestion(1);
    }

    void confirmNext(bool dieDuringIt)
    {
        const PaperShape shape = shapeOf(m_state.paper);
        const ScriptedConfirm next = nextConfirm(shape, m_state.elapsedSeconds);
        while (m_state.elapsedSeconds < next.elapsedSeconds)
            m_session.tick();
        m_session.selectAnswerCardLine(next.question - 1);
        m_view.input = inputFor(shape, next);
        if (dieDuringIt)
            killSelfAfter(m_options.dieDelayMicroseconds);
        m_session.confirm();
        const std::string& line = m_state.answerCard.at(static_cast<std::size_t>(next.question - 1));
        m_log.line("confirmed " + std::to_string(next.question) + " " + std::string(answerOfCardLine(line)) + " "
            + std::to_string(m_state.elapsedSeconds));
    }

    void dieInHandIn() const
    {
        if (m_options.dieInHandInMicroseconds >= 0)
            killSelfAfter(m_options.dieInHandInMicroseconds);
    }

    [[noreturn]] void idle()
    {
        m_log.line("idle");
        for (;;)
            ::pause();
    }

    const Options& m_options;
    DriverLog& m_log;
    FixedClock m_clock { scriptClockSeconds };
    AgreeingPrompter m_prompter;
    SizedScreen m_screen;
    ClientEnvironment m_env;
    ScriptedLogin m_login;
    FakeExamView m_view;
    ExamState m_state;
    ExamSession m_session;
};

} // namespace
} // namespace olv::test

int main(int argc, char** argv)
{
    const std::optional<olv::test::Options> options = olv::test::parseOptions(argc, argv);
    if (!options)
        return 2;
    std::filesystem::current_path(options->workingFolder);
    olv::test::DriverLog log(options->log);
    return olv::test::Driver(*options, log).run();
}
