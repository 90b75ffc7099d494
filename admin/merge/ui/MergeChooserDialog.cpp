#include "admin/merge/ui/MergeChooserDialog.h"

#include "admin/ui/AdminTools.h"
#include "admin/ui/ToolButton.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace olv {

MergeChooserDialog::MergeChooserDialog(Prompter& prompter, const AdminTools& tools, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("文件合并"));
    auto* layout = new QVBoxLayout(this);
    const auto merge = [&](const QString& caption, const std::function<void(QWidget*, Prompter&)>& tool) {
        QPushButton* button = toolButton(caption, bool(tool), this);
        connect(button, &QPushButton::clicked, this, [this, &prompter, tool] { tool(this, prompter); });
        layout->addWidget(button);
    };
    merge(QStringLiteral("合并试题库文件"), tools.bankMerge);
    merge(QStringLiteral("合并成绩库文件"), tools.scoreMerge);
    merge(QStringLiteral("合并答题卷文件"), tools.answerMerge);
    QPushButton* end = toolButton(QStringLiteral("结束"), true, this);
    connect(end, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(end);
}

} // namespace olv
