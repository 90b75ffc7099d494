// The bank tools on a bank of 200,000 questions: opening the copy dialog's lists (the layout,
// one entry per question and the line index) and the text export.
#include "admin/bank/BankCopy.h"
#include "admin/bank/BankExport.h"

#include <benchmark/benchmark.h>

namespace olv {
namespace {

constexpr int benchQuestionCount = 200000;

QuestionBank largeBank()
{
    QuestionBank bank;
    for (int number = 1; number <= benchQuestionCount; ++number) {
        const auto kind = allQuestionKinds[static_cast<std::size_t>(number % 3)];
        Question question { kind, "question " + std::to_string(number) + "/nsecond line", {}, "a" };
        if (kind != QuestionKind::TrueFalse)
            question.options = { "first option", "second option", "third option", "fourth option" };
        bank.questionsOf(kind).push_back(std::move(question));
    }
    return bank;
}

struct NoView : BankCopyView
{
    void showEntries(const std::vector<RenderedLine>& entries) override { benchmark::DoNotOptimize(entries.data()); }
    void showEntry(std::size_t, const RenderedLine&) override { }
    void selectEntry(std::size_t) override { }
    void selectLine(std::size_t) override { }
    void showAnswer(const std::string&) override { }
};

struct NoPrompts : Prompter
{
    void message(std::string_view, std::string_view) override { }
    bool confirm(std::string_view, std::string_view) override { return false; }
    std::string password() override { return {}; }
};

void BM_BankCopyOpen(benchmark::State& state)
{
    const auto bank = largeBank();
    NoView view;
    NoPrompts prompts;
    for (auto _ : state) {
        BankCopy copy(bank, view, prompts);
        copy.open();
        copy.tickAll(true);
        benchmark::DoNotOptimize(copy.questionLines().data());
    }
}
BENCHMARK(BM_BankCopyOpen)->Unit(benchmark::kMillisecond);

void BM_BankExportLines(benchmark::State& state)
{
    const auto bank = largeBank();
    for (auto _ : state)
        benchmark::DoNotOptimize(bankExportLines(bank));
}
BENCHMARK(BM_BankExportLines)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace olv
