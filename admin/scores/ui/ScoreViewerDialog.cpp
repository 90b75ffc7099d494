#include "admin/scores/ui/ScoreViewerDialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace olv {

namespace {

struct SortButton
{
    const char* caption;
    const char* name;
    ScoreSortOrder order;
};

const SortButton sortButtons[] = {
    { "成绩", "sortByScore", ScoreSortOrder::Score },
    { "考号", "sortByExamNumber", ScoreSortOrder::ExamNumber },
    { "班级成绩", "sortByClassScore", ScoreSortOrder::ClassScore },
    { "班级考号", "sortByClassExamNumber", ScoreSortOrder::ClassExamNumber },
    { "不排序", "sortNone", ScoreSortOrder::FileOrder },
};

} // namespace

ScoreViewerDialog::ScoreViewerDialog(Prompter& prompter, const std::filesystem::path& scoreFile, QWidget* parent)
    : LineListDialog(QStringLiteral("考生成绩"), parent)
    , m_viewer(scoreFile, prompter, *this)
{
    setObjectName(QStringLiteral("scoreViewerDialog"));
    list()->setObjectName(QStringLiteral("scoreList"));
    onSelectionChanged([this](std::optional<std::size_t> row) { m_viewer.rememberSelection(row); });

    auto* sortBox = new QGroupBox(QStringLiteral("排序"), this);
    sortBox->setObjectName(QStringLiteral("sortGroup"));
    sortBox->setAccessibleName(sortBox->title());
    auto* sortLayout = new QVBoxLayout(sortBox);
    auto* sortGroup = new QButtonGroup(this);
    for (const SortButton& sort : sortButtons) {
        auto* radio = new QRadioButton(QString::fromUtf8(sort.caption), sortBox);
        radio->setObjectName(QString::fromUtf8(sort.name));
        radio->setAccessibleName(radio->text());
        radio->setChecked(sort.order == m_viewer.sortOrder());
        sortGroup->addButton(radio, static_cast<int>(sort.order));
        sortLayout->addWidget(radio);
    }
    // Toggled, not clicked: a screen reader ticks a radio button through its action, not a click.
    connect(sortGroup, &QButtonGroup::idToggled, this, [this](int order, bool checked) {
        if (checked)
            m_viewer.sortBy(static_cast<ScoreSortOrder>(order));
    });

    auto* controls = new QVBoxLayout;
    controls->addWidget(
        commandButton(QStringLiteral("刷新记录"), QStringLiteral("refreshButton"), [this] { m_viewer.refresh(); }));
    controls->addWidget(
        commandButton(QStringLiteral("存到文件"), QStringLiteral("saveButton"), [this] { m_viewer.save(); }));
    controls->addWidget(sortBox);
    controls->addWidget(commandButton(
        QStringLiteral("删除选中记录"), QStringLiteral("hideButton"), [this] { m_viewer.hideSelected(); }));
    controls->addWidget(commandButton(
        QStringLiteral("选中记录重考"), QStringLiteral("retakeButton"), [this] { m_viewer.retakeSelected(); }));
    controls->addStretch();
    controls->addWidget(commandButton(QStringLiteral("退出"), QStringLiteral("exitButton"), [this] { reject(); }));

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list(), 1);
    layout->addLayout(controls);
    resize(760, 520);
}

void ScoreViewerDialog::run()
{
    m_viewer.load();
    execUnlessClosed();
}

void runScoreViewer(QWidget* parent, Prompter& prompter, const std::filesystem::path& scoreFile)
{
    ScoreViewerDialog dialog(prompter, scoreFile, parent);
    dialog.run();
}

} // namespace olv
