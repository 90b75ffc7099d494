#include "admin/merge/ui/FileMergeDialog.h"

#include "ui/DialogControls.h"
#include "ui/GbkString.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace olv {

namespace {

void runMerge(MergeKind kind, QWidget* parent, Prompter& prompter)
{
    FileMergeDialog dialog(kind, prompter, parent);
    dialog.exec();
}

} // namespace

void runScoreMerge(QWidget* parent, Prompter& prompter) { runMerge(MergeKind::ScoreDatabases, parent, prompter); }

void runAnswerMerge(QWidget* parent, Prompter& prompter) { runMerge(MergeKind::AnswerSheets, parent, prompter); }

FileMergeDialog::FileMergeDialog(MergeKind kind, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_tool(kind, *this, prompter)
{
    const MergeTexts& texts = mergeTexts(kind);
    setWindowTitle(QString::fromUtf8(texts.caption));
    setObjectName(QStringLiteral("fileMerge"));

    auto* choices = new QGridLayout;
    const std::array<std::pair<MergePath, const char*>, 3> paths
        = { { { MergePath::First, "first" }, { MergePath::Second, "second" }, { MergePath::NewFile, "newFile" } } };
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const QString caption = QString::fromUtf8(texts.buttons[i]);
        const QString name = QString::fromLatin1(paths[i].second);
        QPushButton* button = makeButton(caption, name + QStringLiteral("Button"), this);
        auto* path = new QLineEdit(this);
        path->setObjectName(name + QStringLiteral("Path"));
        path->setAccessibleName(caption);
        path->setReadOnly(true);
        path->setMinimumWidth(360);
        m_paths[i] = path;
        choices->addWidget(button, static_cast<int>(2 * i), 0, Qt::AlignLeft);
        choices->addWidget(path, static_cast<int>(2 * i + 1), 0);
        const MergePath which = paths[i].first;
        connect(button, &QPushButton::clicked, this, [this, which] { m_tool.choose(which); });
    }

    QPushButton* merge = makeButton(QStringLiteral("开始合并"), QStringLiteral("mergeButton"), this);
    QPushButton* exit = makeButton(QStringLiteral("退出"), QStringLiteral("exitButton"), this);
    connect(merge, &QPushButton::clicked, this, [this] { m_tool.merge(); });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(makeButtonRow({ merge, exit }));
}

void FileMergeDialog::showPath(MergePath which, const std::string& utf8Path)
{
    m_paths[static_cast<std::size_t>(which)]->setText(fromUtf8(utf8Path));
}

void FileMergeDialog::closeWindow() { reject(); }

} // namespace olv
