#include "admin/scores/ui/ScoreViewerDialog.h"

#include "admin/scores/ScoreStatistics.h"
#include "admin/scores/ui/ScoreBandChart.h"
#include "common/Prompter.h"

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
    , m_prompter(prompter)
    , m_chart(new ScoreBandChart(this))
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
        commandButton(QStringLiteral("存到文件"), QStringLiteral("saveButton"), [this] { save(); }));
    controls->addWidget(
        commandButton(QStringLiteral("导出表格"), QStringLiteral("exportButton"), [this] { m_viewer.exportSheet(); }));
    controls->addWidget(sortBox);
    controls->addWidget(commandButton(
        QStringLiteral("删除选中记录"), QStringLiteral("hideButton"), [this] { m_viewer.hideSelected(); }));
    controls->addWidget(commandButton(
        QStringLiteral("选中记录重考"), QStringLiteral("retakeButton"), [this] { m_viewer.retakeSelected(); }));
    controls->addStretch();
    controls->addWidget(commandButton(QStringLiteral("退出"), QStringLiteral("exitButton"), [this] { reject(); }));

    auto* shown = new QVBoxLayout;
    shown->addWidget(m_chart);
    shown->addWidget(list(), 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(shown, 1);
    layout->addLayout(controls);
    resize(760, 700);
}

void ScoreViewerDialog::showLines(const std::vector<std::string>& lines, std::optional<std::size_t> selectedRow)
{
    LineListDialog::showLines(lines, selectedRow);
    m_chart->showBands(scoreStatistics(m_viewer.records()).bands);
}

void ScoreViewerDialog::save()
{
    const std::optional<std::filesystem::path> saved = m_viewer.save();
    if (!saved)
        return;
    const std::filesystem::path picture = std::filesystem::path(*saved).replace_extension(".png");
    if (!m_chart->savePng(picture))
        m_prompter.message("不能保存到文件" + picture.string());
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
