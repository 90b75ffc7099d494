#pragma once

#include "admin/merge/FileMergeTool.h"

#include <QDialog>
#include <array>

class QLineEdit;

namespace olv {

class Prompter;

// The merge dialogs "合并成绩库文件" and "合并答题卷文件", modal; they return when closed.
void runScoreMerge(QWidget* parent, Prompter& prompter);
void runAnswerMerge(QWidget* parent, Prompter& prompter);

// One window for both merges: a button for each input and for the new file, each with the chosen
// path in a line under it, "开始合并" and "退出".
class FileMergeDialog : public QDialog, public FileMergeView
{
    Q_OBJECT
public:
    FileMergeDialog(MergeKind kind, Prompter& prompter, QWidget* parent = nullptr);

    void showPath(MergePath which, const std::string& utf8Path) override;
    void closeWindow() override;

private:
    FileMergeTool m_tool;
    std::array<QLineEdit*, 3> m_paths {};
};

} // namespace olv
