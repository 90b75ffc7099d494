// The bank editor on 200,000 questions, with the two list models the dialog shows but no
// widgets: opening against a plain readQuestionBank, and each edit with both lists.
#include "admin/bank/BankEditor.h"
#include "bench/BenchBank.h"
#include "ui/LineListModel.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <limits>
#include <malloc.h>
#include <memory>

namespace olv {
namespace {

class NoQuestions : public Prompter
{
public:
    void message(std::string_view text, std::string_view) override
    {
        throw std::runtime_error("unexpected message: " + std::string(text));
    }
    bool confirm(std::string_view text, std::string_view) override
    {
        throw std::runtime_error("unexpected question: " + std::string(text));
    }
    std::string password() override { return {}; }
};

// The dialog's share of the work without widgets: the lines go into the list models.
class ListModelView : public BankEditorView
{
public:
    void showPath(const std::string&) override { }
    void listsChanging() override
    {
        m_questions.beginLinesChange();
        m_answers.beginLinesChange();
    }
    void showLists(
        const std::vector<RenderedLine>& questionLines, const std::vector<RenderedLine>& answerLines) override
    {
        m_questions.showLines(questionLines);
        m_answers.showLines(answerLines);
    }
    void selectQuestionLine(std::size_t row) override { benchmark::DoNotOptimize(m_questions.index(int(row))); }
    void selectAnswer(std::size_t row) override { benchmark::DoNotOptimize(m_answers.index(int(row))); }
    void showCurrentNumber(int) override { }
    void enableCurrentQuestionButtons(bool) override { }
    void enableOptions(bool) override { }
    BankForm form() const override { return typed; }
    void showFormTexts(const BankForm&) override { }
    void showProgress(int, int, int) override { }
    void closeEditor() override { }

    BankForm typed;

private:
    LineListModel m_questions;
    LineListModel m_answers;
};

struct Editing
{
    Editing()
        : editor(view, prompter, bankFixture().bankPath())
    {
        if (!editor.open())
            throw std::runtime_error("cannot open the benchmark bank");
    }

    ListModelView view;
    NoQuestions prompter;
    BankEditor editor;
};

void BM_OpenBankEditor(benchmark::State& state)
{
    const auto& fixture = bankFixture();
    double fastestRead = std::numeric_limits<double>::infinity();
    double fastestOpen = std::numeric_limits<double>::infinity();
    std::unique_ptr<Editing> editing;
    const bool cold = state.range(0) != 0;
    for (auto _ : state) {
        // Both start with the previous editor freed. Cold: its memory is given back to the
        // system first, as in a program that opens the editor for the first time, so both pay
        // for fresh pages (costly on a virtual machine). Warm: the allocator may reuse it.
        editing.reset();
        if (cold)
            ::malloc_trim(0);
        double start = threadSeconds();
        auto read = readQuestionBank(fixture.bankPath(), fixture.temporaryPath());
        fastestRead = std::min(fastestRead, threadSeconds() - start);
        benchmark::DoNotOptimize(read);
        read = {};

        if (cold)
            ::malloc_trim(0);
        start = threadSeconds();
        editing = std::make_unique<Editing>();
        const double open = threadSeconds() - start;
        fastestOpen = std::min(fastestOpen, open);
        state.SetIterationTime(open);
    }
    state.counters["fastestReadMs"] = fastestRead * 1e3;
    state.counters["fastestOpenMs"] = fastestOpen * 1e3;
    state.counters["fastestRatioToRead"] = fastestOpen / fastestRead;
}
BENCHMARK(BM_OpenBankEditor)
    ->ArgName("cold")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

enum Edit
{
    Append,
    InsertFirst,
    ReplaceFirst,
    DeleteFirst
};

// Each edit is timed alone and undone untimed, so every run sees the full bank. Edits at
// question 1 renumber every later line, the worst case.
void BM_EditBank(benchmark::State& state)
{
    static Editing editing;
    BankEditor& editor = editing.editor;
    const auto edit = static_cast<Edit>(state.range(0));
    double slowest = 0;
    for (auto _ : state) {
        editing.view.typed = { "bench", { "a", "b", "c", "d" }, "A", QuestionKind::SingleChoice };
        editor.answerSelected(0);
        double start = threadSeconds();
        switch (edit) {
        case Append:
            editor.append();
            break;
        case InsertFirst:
            editor.insert();
            break;
        case ReplaceFirst:
            editor.replace();
            break;
        case DeleteFirst:
            editor.remove();
            break;
        }
        const double elapsed = threadSeconds() - start;
        state.SetIterationTime(elapsed);
        slowest = std::max(slowest, elapsed);

        // Undo: the bench question leaves again, a deleted question comes back.
        editing.view.typed = { "bench", { "a", "b", "c", "d" }, "A", QuestionKind::SingleChoice };
        if (edit == Append || edit == InsertFirst) {
            editor.answerSelected(static_cast<std::size_t>(editor.currentNumber() - 1));
            editor.remove();
        } else if (edit == DeleteFirst) {
            editor.answerSelected(0);
            editor.insert();
        }
    }
    state.counters["slowestMs"] = slowest * 1e3;
    state.counters["questions"] = static_cast<double>(editor.bank().questionCount());
}
BENCHMARK(BM_EditBank)
    ->ArgName("edit")
    ->Arg(Append)
    ->Arg(InsertFirst)
    ->Arg(ReplaceFirst)
    ->Arg(DeleteFirst)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

} // namespace
} // namespace olv
