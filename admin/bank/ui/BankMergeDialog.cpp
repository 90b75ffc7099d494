#include "admin/bank/ui/BankMergeDialog.h"

#include "common/SaveName.h"
#include "ui/DialogControls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace olv {

namespace {

constexpr std::string_view bankFilter = "试题库文件(*.kst)|*.kst|所有文件(*.*)|*.*|";
constexpr std::string_view newBankFilter = "请输入新试题库文件(*.kst)|NULL|";

} // namespace

BankMergeDialog::BankMergeDialog(Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_merge(prompter)
    , m_paths(new QVBoxLayout)
{
    setObjectName(QStringLiteral("bankMergeDialog"));
    setWindowTitle(QStringLiteral("合并试题库文件"));
    resize(520, 300);
    addPathChooser(QStringLiteral("试题库文件1"), QStringLiteral("firstBankButton"), m_merge.first, false);
    addPathChooser(QStringLiteral("试题库文件2"), QStringLiteral("secondBankButton"), m_merge.second, false);
    addPathChooser(QStringLiteral("新试题库文件"), QStringLiteral("newBankButton"), m_merge.target, true);

    auto* start = makeButton(QStringLiteral("开始合并"), QStringLiteral("startMergeButton"), this);
    auto* exit = makeButton(QStringLiteral("退出"), QStringLiteral("exitButton"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_paths);
    layout->addStretch();
    layout->addLayout(makeButtonRow({ start, exit }));

    connect(start, &QPushButton::clicked, this, &BankMergeDialog::merge);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
}

void BankMergeDialog::addPathChooser(const QString& caption, const QString& objectName, std::string& path, bool target)
{
    auto* button = makeButton(caption, objectName, this);
    auto* shown = new QLabel(this);
    shown->setObjectName(objectName + QStringLiteral("Path"));
    shown->setAccessibleName(caption);
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_paths->addWidget(button, 0, Qt::AlignLeft);
    m_paths->addWidget(shown);
    connect(button, &QPushButton::clicked, this, [this, shown, caption, &path, target] {
        auto chosen = target ? m_prompter.saveFileName(newBankFilter) : m_prompter.openFileName(bankFilter);
        if (!chosen)
            return;
        path = target ? withDefaultExtension(std::move(*chosen), ".kst") : *chosen;
        showLabelValue(shown, caption, QString::fromStdString(path));
    });
}

void BankMergeDialog::merge()
{
    // A source that cannot be read ends the dialog; a failed write lets the user try again.
    if (m_merge.merge() == BankMergeOutcome::ReadFailed)
        reject();
}

void runBankMerge(QWidget* parent, Prompter& prompter)
{
    BankMergeDialog dialog(prompter, parent);
    dialog.exec();
}

} // namespace olv
