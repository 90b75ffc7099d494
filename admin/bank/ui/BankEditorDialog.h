#pragma once

#include "admin/bank/BankEditor.h"

#include <QDialog>
#include <array>
#include <filesystem>
#include <vector>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace olv {

class LineListModel;

// The dialog "编辑试题库": the bank as a numbered question list and an answer list, the form
// for a new or changed question, and the buttons of the edits. Enter moves through the form
// and never closes it; Ctrl+Enter breaks a line of the stem; Escape closes at once.
class BankEditorDialog : public QDialog, public BankEditorView
{
    Q_OBJECT
public:
    BankEditorDialog(Prompter& prompter, const std::filesystem::path& bankPath, QWidget* parent = nullptr);
    ~BankEditorDialog() override;

    // Reads the bank into the dialog; false when it could not (the message has been shown).
    bool openBank() { return m_editor.open(); }
    const BankEditor& editor() const { return m_editor; }

    void showPath(const std::string& path) override;
    void listsChanging() override;
    void showLists(
        const std::vector<RenderedLine>& questionLines, const std::vector<RenderedLine>& answerLines) override;
    void selectQuestionLine(std::size_t row) override;
    void selectAnswer(std::size_t row) override;
    void showCurrentNumber(int number) override;
    void enableCurrentQuestionButtons(bool enabled) override;
    void enableOptions(bool enabled) override;
    BankForm form() const override;
    std::optional<std::string> entryRefusal() const override;
    void showFormTexts(const BankForm& form) override;
    void showProgress(int minimum, int maximum, int position) override;
    void closeEditor() override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* makeListsPart();
    QWidget* makeFormPart();
    QWidget* makeButtonsPart();
    QPushButton* addButton(const QString& caption, const QString& name, void (BankEditor::*operation)());
    // Moves the focus on from one box of the form to the next, the answer box back to the stem.
    void focusNextFormBox(QObject* from);

    BankEditor m_editor;
    bool m_closing = false; // set once the editor has agreed to close
    bool m_selecting = false; // the lists are being changed: no echo back to the editor
    LineListModel* m_questionModel = nullptr;
    LineListModel* m_answerModel = nullptr;
    QLabel* m_path = nullptr;
    QListView* m_questionList = nullptr;
    QListView* m_answerList = nullptr;
    QPlainTextEdit* m_stem = nullptr;
    std::array<QLineEdit*, 4> m_options {};
    QLineEdit* m_answer = nullptr;
    QButtonGroup* m_kinds = nullptr;
    QLabel* m_currentNumber = nullptr;
    std::vector<QPushButton*> m_currentQuestionButtons; // enabled while the bank holds a question
    QProgressBar* m_progress = nullptr;
};

// Opens the modal editor on `bankPath` (".kst" already added where the name needs it).
void runBankEditor(QWidget* parent, Prompter& prompter, const std::filesystem::path& bankPath);

} // namespace olv
