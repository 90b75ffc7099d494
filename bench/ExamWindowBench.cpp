// The exam window with a whole bank, as a candidate in review mode meets it, in wall time on the
// offscreen platform: the window built, filled and shown at its first question for papers of
// growing size (the time per question must stay flat), and the whole way from the review login
// to the shown window for a bank of 200,000 questions.
#include "bench/BenchBank.h"
#include "client/exam/AnswerCardLine.h"
#include "client/exam/ExamSession.h"
#include "client/exam/ExamState.h"
#include "client/startup/ClientEnvironment.h"
#include "client/startup/ReviewStartup.h"
#include "client/ui/ClientApp.h"
#include "client/ui/ExamWindow.h"
#include "common/AnswerRecord.h"
#include "common/ExamSettingsFile.h"
#include "common/Prompter.h"
#include "platform/Clock.h"
#include "platform/File.h"
#include "platform/PathMapping.h"
#include "platform/WorkingDirectoryGuard.h"

#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace olv {
namespace {

QApplication& application()
{
    static int argc = 1;
    static char name[] = "olv_bench";
    static char* argv[] = { name, nullptr };
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Left to the end of the process: destroyed among the static objects, it would outlive
    // parts of Qt it needs.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A paper of `count` questions in the kinds' proportions of the bench bank, as assembly leaves
// it: the questions, their bank numbers, the paper lines and a blank answer card.
ExamState paperOf(std::size_t count)
{
    std::mt19937 random(20240601);
    ExamState state;
    state.settings = clientDefaults();
    state.settings.reviewMode = 1;
    forceReviewSettings(state.settings);
    for (std::size_t i = 0; i < count; ++i) {
        const auto slot = i % 10;
        const auto kind = slot < 5 ? QuestionKind::SingleChoice
            : slot < 8             ? QuestionKind::MultipleChoice
                                   : QuestionKind::TrueFalse;
        state.paper.questions.questionsOf(kind).push_back(generatedQuestion(random, kind));
    }
    for (int number = 1; number <= state.paper.questionCount(); ++number) {
        state.paper.bankNumbers.push_back(number);
        state.answerCard.push_back(answerCardLine(number, {}));
    }
    state.bankQuestionCount = state.paper.questionCount();
    state.paperLines = renderQuestionList(QuestionListVariant::PaperView, state.paper.questions, &state.settings);
    return state;
}

// Messages are the review's own fallbacks; nothing is answered.
class SilentPrompter : public Prompter
{
public:
    void message(std::string_view, std::string_view) override { }
    bool confirm(std::string_view, std::string_view) override { return true; }
    std::string password() override { return {}; }
};

class FixedScreen : public Screen
{
public:
    int width() const override { return 1024; }
    int height() const override { return 768; }
    bool changeMode(int, int) override { return true; }
    void restoreMode() override { }
};

class TypedNumber : public ReviewLoginRunner
{
public:
    std::optional<std::string> run() override { return std::string("1001"); }
};

// Shows the window and waits for its first paint; what the candidate sees first.
void showAndPaint(ExamWindow& window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        throw std::runtime_error("the exam window was not shown");
    QApplication::processEvents();
}

void BM_FillExamWindow(benchmark::State& state)
{
    application();
    const ExamState exam = paperOf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto window = std::make_unique<ExamWindow>();
        window->setTitle(exam.settings.examName, exam.settings.subject);
        window->setIdentity(exam.className, exam.candidateName, exam.examNumber);
        window->setQuestionTree(exam.settings, exam.paper);
        window->setOptionTexts(exam.paper);
        window->setPaperLines(exam.paperLines);
        window->setAnswerCard(exam.answerCard);
        window->setReviewMode();
        window->setCurrentQuestion(1);
        window->selectPaperLine(1, false);
        window->selectAnswerCardLine(0, false);
        showAndPaint(*window);
        state.SetIterationTime(secondsSince(start));
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["per_question"] = benchmark::Counter(static_cast<double>(state.range(0)),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FillExamWindow)
    ->Arg(10000)
    ->Arg(50000)
    ->Arg(200000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// The candidate's commands on the shown window of a whole bank: to the last question and back
// to the first, and to a question in the middle through the tree and the answer card.
void BM_NavigateExamWindow(benchmark::State& state)
{
    application();
    ExamState exam = paperOf(static_cast<std::size_t>(state.range(0)));
    FixedClock clock(1700000000);
    SilentPrompter prompter;
    FixedScreen screen;
    const ClientEnvironment env { std::filesystem::temp_directory_path(), clock, prompter, screen };
    ExamWindow window;
    TypedNumber typed;
    const PaperReviewStartup review(env, typed);
    fillExamWindow(window, exam, StartMode::Review, review);
    ExamSession session(exam, window, env);
    session.goToQuestion(1);
    showAndPaint(window);
    const int middle = exam.paper.questionCount() / 2;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        session.last();
        QApplication::processEvents();
        session.first();
        QApplication::processEvents();
        session.selectTreeItem(middle, false, false);
        QApplication::processEvents();
        session.selectAnswerCardLine(middle + 1);
        QApplication::processEvents();
        state.SetIterationTime(secondsSince(start) / 4);
    }
}
BENCHMARK(BM_NavigateExamWindow)->Arg(200000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The review of a candidate without a paper copy: the whole bank of 200,000 questions with the
// marks of the answer record, from the typed exam number to the painted window.
class ReviewFolder
{
public:
    ReviewFolder()
        : m_folder(std::filesystem::temp_directory_path() / ("olv-bench-review-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(m_folder / "d");
        std::filesystem::copy_file(bankFixture().bankPath(), m_folder / "WordE97.kst");
        ExamSettings settings = clientDefaults();
        settings.reviewMode = 1;
        deriveAnswerFile(settings);
        const WorkingDirectoryGuard here(m_folder);
        if (!writeExamSettings("olvane.dat", settings))
            throw std::runtime_error("cannot write the review settings");
        std::vector<int> numbers;
        std::vector<std::string> answers, correct;
        for (int k = 1; k <= static_cast<int>(benchQuestionCount); k += 3) {
            numbers.push_back(k);
            answers.push_back(k % 2 ? "A" : "B");
            correct.emplace_back("A");
        }
        const std::filesystem::path answerPath = nativePath(settings.answerFile, m_folder / "d");
        std::filesystem::create_directories(std::filesystem::absolute(answerPath).parent_path());
        std::optional<File> answerFile = File::open(answerPath, OpenMode::WriteAppendCreate, Sharing::Exclusive);
        if (!answerFile
            || !appendAnswerRecord(
                *answerFile, formatAnswerRecord("67", "1001", benchQuestionCount, numbers, answers, correct)))
            throw std::runtime_error("cannot write the answer record");
    }
    ~ReviewFolder() { std::filesystem::remove_all(m_folder); }

    const std::filesystem::path& path() const { return m_folder; }

private:
    std::filesystem::path m_folder;
};

void BM_ReviewLoginToWindow(benchmark::State& state)
{
    application();
    const ReviewFolder folder;
    const WorkingDirectoryGuard here(folder.path());
    FixedClock clock(1700000000);
    SilentPrompter prompter;
    FixedScreen screen;
    const ClientEnvironment env { folder.path() / "d", clock, prompter, screen };
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        {
            ExamState exam;
            TypedNumber typed;
            PaperReviewStartup review(env, typed);
            struct NoLogin : LoginRunner
            {
                std::optional<LoginResult> run(const std::string&, bool) override { return std::nullopt; }
            } noLogin;
            const std::optional<StartMode> mode = startExam(exam, env, noLogin, &review);
            if (mode != StartMode::Review)
                throw std::runtime_error("the review did not start");
            ExamWindow window;
            fillExamWindow(window, exam, *mode, review);
            ExamSession session(exam, window, env);
            session.goToQuestion(1);
            showAndPaint(window);
            state.SetIterationTime(secondsSince(start));
            state.counters["questions"] = exam.paper.questionCount();
            state.counters["card_lines"] = static_cast<double>(exam.answerCard.size());
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReviewLoginToWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace olv
