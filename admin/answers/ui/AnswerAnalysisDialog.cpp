#include "admin/answers/ui/AnswerAnalysisDialog.h"

#include "admin/answers/ItemStatistics.h"
#include "admin/answers/ui/ItemAnalysisDialog.h"

#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>

namespace olv {

AnswerAnalysisDialog::AnswerAnalysisDialog(
    Prompter& prompter, const std::filesystem::path& answerFile, std::filesystem::path bankFile, QWidget* parent)
    : LineListDialog(QStringLiteral("查看答题情况"), parent)
    , m_prompter(prompter)
    , m_bankFile(std::move(bankFile))
    , m_viewer(answerFile, prompter, *this)
{
    setObjectName(QStringLiteral("answerAnalysisDialog"));
    list()->setObjectName(QStringLiteral("answerList"));
    onSelectionChanged([this](std::optional<std::size_t> row) { m_viewer.rememberSelection(row); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(
        commandButton(QStringLiteral("刷新"), QStringLiteral("reloadButton"), [this] { m_viewer.reload(); }));
    buttons->addWidget(
        commandButton(QStringLiteral("另存为"), QStringLiteral("saveAsButton"), [this] { m_viewer.save(); }));
    buttons->addWidget(commandButton(
        QStringLiteral("删除选中记录"), QStringLiteral("hideButton"), [this] { m_viewer.hideSelected(); }));
    buttons->addWidget(
        commandButton(QStringLiteral("试题分析"), QStringLiteral("itemAnalysisButton"), [this] { analyseItems(); }));
    buttons->addStretch();
    buttons->addWidget(commandButton(QStringLiteral("退出"), QStringLiteral("exitButton"), [this] { reject(); }));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list(), 1);
    layout->addLayout(buttons);
    resize(760, 520);
}

void AnswerAnalysisDialog::run()
{
    m_viewer.load();
    execUnlessClosed();
}

void AnswerAnalysisDialog::analyseItems()
{
    ItemAnalysisDialog items(m_prompter, itemStatistics(m_viewer.answerLines()), questionStems(m_bankFile, m_prompter), this);
    items.exec();
}

void runAnswerAnalysis(QWidget* parent, Prompter& prompter, const std::filesystem::path& answerFile,
    const std::filesystem::path& bankFile)
{
    AnswerAnalysisDialog dialog(prompter, answerFile, bankFile, parent);
    dialog.run();
}

} // namespace olv
