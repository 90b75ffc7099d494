#pragma once

#include "admin/bank/BankEditorView.h"
#include "admin/bank/BankListLayout.h"
#include "admin/bank/QuestionValidation.h"
#include "common/Prompter.h"

#include <filesystem>
#include <optional>

namespace olv {

// The rules of the question bank editor: the bank in memory, its two lists, the current
// question, the form's tests and the four edits, and saving. The window calls one method
// per control; everything shown goes through the view and the Prompter.
class BankEditor
{
public:
    // The bank is read through "stk.bak" in the working directory.
    BankEditor(BankEditorView& view, Prompter& prompter, std::filesystem::path bankPath);

    // Reads the bank (a missing file is created empty) and fills the window. False after the
    // failure message: the editor must close.
    bool open();

    void questionLineSelected(std::size_t row);
    void answerSelected(std::size_t row);
    // A click on a kind button: reads the form, enables the option boxes but for true/false.
    void kindChosen();

    void append();
    void insert();
    void replace();
    void remove();
    void copyToForm();
    void clearForm();
    // "导入试题": picks a question file, previews what it adds and refuses, appends on OK.
    void importQuestions();
    void save();
    // "退出": asks before unsaved changes are dropped.
    void exit();

    const QuestionBank& bank() const { return m_bank; }
    const BankListLayout& layout() const { return m_layout; }
    int currentNumber() const { return m_current; }
    bool isModified() const { return m_modified; }
    // The form as the last kind click or edit read it.
    const BankForm& form() const { return m_form; }

private:
    int questionCount() const { return static_cast<int>(m_bank.questionCount()); }
    bool hasCurrent() const { return m_current >= 1 && m_current <= questionCount(); }
    // The form's question once it passes every test, or nothing after the message.
    std::optional<Question> acceptedQuestion(EditOperation operation);
    bool confirmDuplicateStem(const Question& question, EditOperation operation);
    void showCurrent();
    void edited(bool emptyForm);

    BankEditorView& m_view;
    Prompter& m_prompter;
    std::filesystem::path m_bankPath;
    QuestionBank m_bank;
    BankListLayout m_layout;
    BankForm m_form;
    int m_current = 1;
    bool m_modified = false;
};

} // namespace olv
