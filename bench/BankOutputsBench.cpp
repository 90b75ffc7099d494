// The bank tools on a bank of 200,000 questions: opening the copy dialog's lists (the layout,
// one entry per question and the line index) and the text export.
#include "admin/bank/BankCopy.h"
#include "admin/bank/BankExport.h"
#include "bench/BenchBank.h"
#include "bench/FreshProcess.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <sys/resource.h>

namespace olv {
namespace {

constexpr int generatedQuestionCount = 200000;

QuestionBank largeBank()
{
    QuestionBank bank;
    for (int number = 1; number <= generatedQuestionCount; ++number) {
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
    void showEntries(std::vector<RenderedLine> entries) override { benchmark::DoNotOptimize(entries.data()); }
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

// "题库复制" as the examiner opens it: the bank file read, the lists made, question 1 selected;
// first in a fresh process, then warm. The peak of the fresh process's memory beside it.
void BM_BankCopyOpenFromFile(benchmark::State& state)
{
    const auto& fixture = bankFixture();
    NoView view;
    NoPrompts prompts;
    std::unique_ptr<BankCopy> copy;
    const auto open = [&] {
        copy.reset();
        auto read = readQuestionBank(fixture.bankPath(), fixture.temporaryPath());
        if (!read.bank)
            throw std::runtime_error("cannot read the benchmark bank");
        copy = std::make_unique<BankCopy>(std::move(*read.bank), view, prompts);
        copy->open();
    };
    if (state.range(0) == 0) {
        measureWarm(state, open);
        return;
    }
    measureFresh(
        state, [] {}, open);
    test::ChildProcess peak([&](test::ChildProcess::Link&) {
        open();
        rusage usage {};
        ::getrusage(RUSAGE_SELF, &usage);
        return static_cast<int>(std::min<long>(usage.ru_maxrss / 1024 / 4, 255)); // in 4 MiB steps
    });
    state.counters["peakMiB"] = peak.wait() * 4;
}
BENCHMARK(BM_BankCopyOpenFromFile)
    ->ArgName("fresh")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_BankExportLines(benchmark::State& state)
{
    const auto bank = largeBank();
    for (auto _ : state)
        benchmark::DoNotOptimize(bankExportLines(bank));
}
BENCHMARK(BM_BankExportLines)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace olv
