#pragma once

#include "admin/bank/BankCopy.h"

#include <QDialog>
#include <filesystem>

class QLineEdit;
class QListView;

namespace olv {

class LineListModel;

// "题库复制": the bank read-only, ticking questions, saving the ticked ones as a new bank and
// exporting the whole bank as text.
class BankCopyDialog : public QDialog, private BankCopyView
{
public:
    BankCopyDialog(QuestionBank bank, const QString& sourcePath, Prompter& prompter, QWidget* parent = nullptr);

private:
    void showEntries(std::vector<RenderedLine> entries) override;
    void showEntry(std::size_t entry, const RenderedLine& text) override;
    void selectEntry(std::size_t entry) override;
    void selectLine(std::size_t row) override;
    void showAnswer(const std::string& answer) override;

    LineListModel* m_questionModel;
    LineListModel* m_entryModel;
    QListView* m_questionList;
    QListView* m_entryList;
    QLineEdit* m_answer;
    BankCopy m_copy;
};

// Reads the bank (telling the user when it cannot) and shows the dialog modally. Relative
// output names resolve against the working directory.
void runBankCopy(QWidget* parent, Prompter& prompter, const std::filesystem::path& bankPath);

} // namespace olv
