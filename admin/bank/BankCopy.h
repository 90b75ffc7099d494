#pragma once

#include "admin/bank/LinkedSelection.h"
#include "common/Prompter.h"
#include "common/QuestionList.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace olv {

// What the copy rules change in the window. Texts are GBK.
class BankCopyView
{
public:
    virtual ~BankCopyView() = default;
    // The entries are the window's to keep: a bank of 200,000 questions is not copied again.
    virtual void showEntries(std::vector<RenderedLine> entries) = 0;
    virtual void showEntry(std::size_t entry, const RenderedLine& text) = 0;
    virtual void selectEntry(std::size_t entry) = 0;
    virtual void selectLine(std::size_t row) = 0;
    virtual void showAnswer(const std::string& answer) = 0;
};

// A bank shown read-only with one entry per question ("%d--", "√" when ticked): ticking,
// saving the ticked questions as a new bank and exporting the whole bank as text.
class BankCopy
{
public:
    // The bank's answers are brought into their stored form.
    BankCopy(QuestionBank bank, BankCopyView& view, Prompter& prompter);

    const std::vector<RenderedLine>& questionLines() const { return m_lines; }
    // Fills the entries and selects question 1.
    void open();

    void lineSelected(std::size_t row);
    void entrySelected(std::size_t entry);
    // "选择": ticks or unticks the selected entry and moves to the next one.
    void toggleSelected();
    void tickAll(bool ticked);

    void saveTicked();
    void exportText();
    // "导出Moodle": the whole bank as Moodle XML.
    void exportMoodle();

private:
    RenderedLine entry(std::size_t index) const;
    std::vector<RenderedLine> entries() const;
    void showEntryOf(std::size_t index, bool withLine);
    void selectFirst();

    QuestionBank m_bank;
    std::vector<RenderedLine> m_lines;
    LinkedSelection m_selection;
    std::vector<std::string> m_answers; // per question number
    std::vector<bool> m_ticks;
    std::optional<std::size_t> m_selected;
    BankCopyView& m_view;
    Prompter& m_prompter;
};

} // namespace olv
