// The bank editor on 200,000 questions, with the two list models the dialog shows but no
// widgets: opening against a plain readQuestionBank, and each edit with both lists.
#include "admin/bank/BankEditor.h"
#include "bench/BenchBank.h"
#include "bench/FreshProcess.h"
#include "ui/LineListModel.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
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

// The editor opened in a fresh process, as the examiner meets it, and again in this one with the
// memory of the previous editor at hand; beside it a plain read of the bank.
void BM_OpenBankEditor(benchmark::State& state)
{
    const auto& fixture = bankFixture();
    std::unique_ptr<Editing> editing;
    if (state.range(0) != 0) {
        measureFresh(
            state, [] {}, [&] { editing = std::make_unique<Editing>(); });
        return;
    }
    for (auto _ : state) {
        editing.reset();
        const auto start = std::chrono::steady_clock::now();
        editing = std::make_unique<Editing>();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    editing.reset();
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(readQuestionBank(fixture.bankPath(), fixture.temporaryPath()));
    state.counters["readMs"]
        = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
BENCHMARK(BM_OpenBankEditor)
    ->ArgName("fresh")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

enum Edit
{
    Append,
    InsertFirst,
    ReplaceFirst,
    DeleteFirst
};

void doEdit(BankEditor& editor, Edit edit)
{
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
}

void typeBenchQuestion(Editing& editing)
{
    editing.view.typed = { "bench", { "a", "b", "c", "d" }, "A", QuestionKind::SingleChoice };
    editing.editor.answerSelected(0);
}

// Fresh: the first edit after the editor opened in a fresh process. Warm: each edit timed alone
// and undone untimed, so every run sees the full bank. Edits at question 1 renumber every later
// line, the worst case.
void BM_EditBank(benchmark::State& state)
{
    const auto edit = static_cast<Edit>(state.range(0));
    if (state.range(1) != 0) {
        bankFixture();
        std::unique_ptr<Editing> editing;
        measureFresh(
            state,
            [&] {
                editing = std::make_unique<Editing>();
                typeBenchQuestion(*editing);
            },
            [&] { doEdit(editing->editor, edit); });
        return;
    }
    static Editing editing;
    BankEditor& editor = editing.editor;
    double slowest = 0;
    for (auto _ : state) {
        typeBenchQuestion(editing);
        const auto start = std::chrono::steady_clock::now();
        doEdit(editor, edit);
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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
    ->ArgNames({ "edit", "fresh" })
    ->ArgsProduct({ { Append, InsertFirst, ReplaceFirst, DeleteFirst }, { 0, 1 } })
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
} // namespace olv
