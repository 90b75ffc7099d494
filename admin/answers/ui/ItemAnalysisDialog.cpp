#include "admin/answers/ui/ItemAnalysisDialog.h"

#include "admin/bank/BankReading.h"
#include "common/Prompter.h"
#include "platform/Gbk.h"
#include "platform/ReplacingWrite.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBrush>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>
#include <limits>

namespace olv {

namespace {

QVariant figure(const std::optional<double>& value, int role)
{
    if (role == Qt::UserRole)
        return value ? *value : -std::numeric_limits<double>::infinity();
    return QString::fromStdString(statisticText(value));
}

} // namespace

ItemTableModel::ItemTableModel(const ItemStatistics& statistics, std::vector<QString> stems, QObject* parent)
    : QAbstractTableModel(parent)
    , m_statistics(statistics)
    , m_stems(std::move(stems))
{ }

int ItemTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_statistics.questions.size());
}

int ItemTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ItemTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const std::size_t row = static_cast<std::size_t>(index.row());
    const QuestionStatistics& q = m_statistics.questions[row];
    if (role == Qt::ToolTipRole || role == Qt::BackgroundRole) {
        const std::string warning = questionWarning(q);
        if (warning.empty())
            return {};
        if (role == Qt::ToolTipRole)
            return QString::fromStdString(warning);
        return QBrush(QColor(255, 228, 196));
    }
    if (role != Qt::DisplayRole && role != Qt::UserRole)
        return {};
    switch (index.column()) {
    case Number:
        if (role == Qt::UserRole)
            return index.row() + 1;
        return questionWarning(q).empty() ? QString::number(index.row() + 1)
                                          : QStringLiteral("%1 ⚠").arg(index.row() + 1);
    case Stem:
        return row < m_stems.size() ? m_stems[row] : QString();
    case Candidates:
        return q.candidates;
    case Right:
        return q.right;
    case Wrong:
        return q.wrong;
    case Facility:
        return figure(q.facility, role);
    case Discrimination:
        return figure(q.discrimination, role);
    case PointBiserial:
        return figure(q.pointBiserial, role);
    default:
        return {};
    }
}

QVariant ItemTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const captions[ColumnCount]
        = { "题号", "题干", "考生数", "答对", "答错", "答对率", "区分度", "点二列相关" };
    return QString::fromUtf8(captions[section]);
}

ItemAnalysisDialog::ItemAnalysisDialog(
    Prompter& prompter, ItemStatistics statistics, std::vector<QString> stems, QWidget* parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_statistics(std::move(statistics))
    , m_model(new ItemTableModel(m_statistics, std::move(stems), this))
    , m_sorted(new QSortFilterProxyModel(this))
    , m_table(new QTableView(this))
{
    setWindowTitle(QStringLiteral("试题分析"));
    setObjectName(QStringLiteral("itemAnalysisDialog"));

    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(Qt::UserRole);
    m_table->setObjectName(QStringLiteral("itemTable"));
    m_table->setAccessibleName(QStringLiteral("试题分析表"));
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(ItemTableModel::Number, Qt::AscendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(ItemTableModel::Stem, QHeaderView::Stretch);

    const QString kr20 = QString::fromStdString(statisticText(m_statistics.kr20));
    auto* summary = new QLabel(
        QStringLiteral("考生 %1 人，高分组与低分组各 %2 人。KR-20 信度：%3（按每位考生都做过的 %4 道题计算；"
                       "试卷按考生随机抽题时，这样的题通常很少，K 很小时 KR-20 仅供参考）。"
                       "标 ⚠ 的题：答对率高于 0.9 或低于 0.2，或区分度低于 0.2 或为负，指向该行可见原因。")
            .arg(m_statistics.records)
            .arg(m_statistics.groupSize)
            .arg(kr20)
            .arg(m_statistics.commonQuestions),
        this);
    summary->setObjectName(QStringLiteral("itemSummary"));
    summary->setWordWrap(true);

    auto* saveButton = new QPushButton(QStringLiteral("另存为"), this);
    saveButton->setToolTip(QStringLiteral("保存为文本；文件名以 .xlsx 结尾时保存为表格"));
    saveButton->setObjectName(QStringLiteral("saveItemsButton"));
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    auto* exitButton = new QPushButton(QStringLiteral("退出"), this);
    exitButton->setObjectName(QStringLiteral("exitItemsButton"));
    connect(exitButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton);
    buttons->addStretch();
    buttons->addWidget(exitButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildChart(), 2);
    layout->addWidget(summary);
    layout->addWidget(m_table, 3);
    layout->addLayout(buttons);
    resize(900, 700);
}

QChartView* ItemAnalysisDialog::buildChart()
{
    // Only questions somebody had have figures to draw.
    auto* facility = new QBarSet(QStringLiteral("答对率"));
    auto* discrimination = new QLineSeries;
    discrimination->setName(QStringLiteral("区分度"));
    QStringList numbers;
    for (std::size_t k = 0; k < m_statistics.questions.size(); ++k) {
        const QuestionStatistics& q = m_statistics.questions[k];
        if (!q.facility)
            continue;
        const int bar = static_cast<int>(m_charted.size());
        m_charted.push_back(static_cast<int>(k));
        numbers << QString::number(k + 1);
        *facility << *q.facility;
        if (q.discrimination)
            discrimination->append(bar, *q.discrimination);
    }
    auto* bars = new QBarSeries;
    bars->append(facility);
    connect(facility, &QBarSet::clicked, this, [this](int bar) { selectQuestion(m_charted[bar]); });

    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("各题答对率（柱）与区分度（线）"));
    chart->addSeries(bars);
    chart->addSeries(discrimination);
    auto* x = new QBarCategoryAxis;
    x->append(numbers);
    // The numbers are short; cut to "…" they say nothing. Many questions leave each number too
    // narrow a column to stand upright in.
    x->setTruncateLabels(false);
    if (numbers.size() > 20)
        x->setLabelsAngle(-90);
    auto* y = new QValueAxis;
    y->setRange(-1, 1);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(x);
    bars->attachAxis(y);
    discrimination->attachAxis(x);
    discrimination->attachAxis(y);

    auto* view = new QChartView(chart, this);
    view->setObjectName(QStringLiteral("itemChart"));
    view->setAccessibleName(QStringLiteral("试题分析图"));
    view->setAccessibleDescription(QStringLiteral("各题答对率的柱状图与区分度的折线，数值见下方的表；点击柱子选中该题"));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(220);
    return view;
}

void ItemAnalysisDialog::selectQuestion(int index)
{
    const QModelIndex row = m_sorted->mapFromSource(m_model->index(index, 0));
    m_table->selectRow(row.row());
    m_table->scrollTo(row);
}

void ItemAnalysisDialog::save()
{
    const std::optional<std::string> name = m_prompter.saveName(".txt");
    if (!name)
        return;
    // The same text as olvtool item-stats prints, or its table as XLSX for a name ending in .xlsx.
    const std::filesystem::path path(*name);
    std::string extension = path.extension().string();
    std::ranges::transform(extension, extension.begin(), [](unsigned char c) { return std::tolower(c); });
    const bool written = extension == ".xlsx" ? writeItemStatisticsXlsx(path, m_statistics)
                                              : writeReplacing(path, itemStatisticsText(m_statistics));
    if (written)
        m_prompter.message("已保存到文件" + *name);
    else
        m_prompter.message("不能保存到文件" + *name);
}

std::vector<QString> questionStems(const std::filesystem::path& bankFile, Prompter& prompter)
{
    std::vector<QString> stems;
    if (bankFile.empty())
        return stems;
    const std::optional<QuestionBank> bank = readBankTelling(bankFile, prompter);
    if (!bank)
        return stems;
    for (const QuestionKind kind : allQuestionKinds)
        for (const Question& question : bank->questionsOf(kind))
            stems.push_back(QString::fromStdString(gbkToUtf8(question.stem)).replace(QStringLiteral("/n"), QStringLiteral(" ")));
    return stems;
}

} // namespace olv
