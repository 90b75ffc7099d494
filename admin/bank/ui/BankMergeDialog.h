#pragma once

#include "admin/bank/BankMerge.h"

#include <QDialog>

class QVBoxLayout;

namespace olv {

// "合并试题库文件": two banks joined kind by kind into a third.
class BankMergeDialog : public QDialog
{
public:
    explicit BankMergeDialog(Prompter& prompter, QWidget* parent = nullptr);

private:
    // A button that chooses one of the paths and the text under it that shows the choice.
    void addPathChooser(const QString& caption, const QString& objectName, std::string& path, bool target);
    void merge();

    Prompter& m_prompter;
    BankMerge m_merge;
    QVBoxLayout* m_paths;
};

void runBankMerge(QWidget* parent, Prompter& prompter);

} // namespace olv
