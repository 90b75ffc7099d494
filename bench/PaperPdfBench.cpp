// The written paper and its answer key of 100 questions as PDF (goal: under 1 s each).
#include "admin/bank/ui/PaperPdf.h"
#include "platform/Gbk.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace olv {
namespace {

// The PDF writer lays out text with Qt's fonts, which need a GUI application; none is shown.
void ensureGuiApplication()
{
    static std::unique_ptr<QGuiApplication> application;
    if (QGuiApplication::instance())
        return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "olv_bench";
    static char* argv[] = { name, nullptr };
    application = std::make_unique<QGuiApplication>(argc, argv);
}

QuestionBank hundredQuestions()
{
    QuestionBank paper;
    for (int number = 1; number <= 100; ++number) {
        const auto kind = allQuestionKinds[static_cast<std::size_t>(number % 3)];
        Question question { kind, utf8ToGbk("第" + std::to_string(number) + "题的题干, 有两行/n第二行的文字"), {},
            kind == QuestionKind::MultipleChoice ? "AC" : "A" };
        if (kind != QuestionKind::TrueFalse)
            question.options = { utf8ToGbk("第一个选项"), utf8ToGbk("第二个选项"), utf8ToGbk("第三个选项"),
                utf8ToGbk("第四个选项") };
        paper.questionsOf(kind).push_back(std::move(question));
    }
    return paper;
}

ExamSettings paperSettings()
{
    ExamSettings settings;
    settings.examName = utf8ToGbk("期末考试");
    settings.subject = utf8ToGbk("计算机基础");
    settings.singleChoicePoints = 1;
    settings.multipleChoicePoints = 2;
    settings.trueFalsePoints = 1;
    return settings;
}

template <std::string (*Render)(const ExamSettings&, const QuestionBank&)>
void pdfOf100Questions(benchmark::State& state)
{
    ensureGuiApplication();
    const QuestionBank paper = hundredQuestions();
    const ExamSettings settings = paperSettings();
    for (auto _ : state)
        benchmark::DoNotOptimize(Render(settings, paper));
}

BENCHMARK_TEMPLATE(pdfOf100Questions, paperPdf)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(pdfOf100Questions, answerKeyPdf)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace olv
