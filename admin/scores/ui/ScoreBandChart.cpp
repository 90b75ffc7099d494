#include "admin/scores/ui/ScoreBandChart.h"

#include "platform/ReplacingWrite.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QFile>
#include <QValueAxis>

#include <algorithm>

namespace olv {

ScoreBandChart::ScoreBandChart(QWidget* parent)
    : QChartView(parent)
    , m_bars(new QBarSet(QStringLiteral("人数")))
{
    setObjectName(QStringLiteral("scoreBandChart"));
    setAccessibleName(QStringLiteral("成绩分布图"));
    setAccessibleDescription(QStringLiteral("各分数段人数的柱状图，与下方统计行的人数相同"));
    auto* chart = new QChart;
    auto* series = new QBarSeries;
    series->append(m_bars);
    series->setLabelsVisible(true);
    chart->addSeries(series);
    QStringList bands;
    for (int band = 0; band < 9; ++band)
        bands << QStringLiteral("%1-%2").arg(band * 10).arg(band * 10 + 9);
    bands << QStringLiteral("90以上");
    auto* x = new QBarCategoryAxis;
    x->append(bands);
    // The band captions fit the narrow list beside the sort buttons only a size smaller.
    QFont captions = x->labelsFont();
    captions.setPointSizeF(captions.pointSizeF() * 0.85);
    x->setLabelsFont(captions);
    auto* y = new QValueAxis;
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    chart->legend()->hide();
    chart->setTitle(QStringLiteral("成绩分布"));
    // The view made a chart of its own and only lets go of it when given another.
    QChart* madeByTheView = QChartView::chart();
    setChart(chart);
    delete madeByTheView;
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(180);
}

void ScoreBandChart::showBands(const std::array<int, 10>& bands)
{
    QList<qreal> values;
    for (const int count : bands)
        values << count;
    m_bars->remove(0, m_bars->count());
    m_bars->append(values);
    // Whole people only: ticks a whole number apart, about four of them, the top one on a tick.
    const int highest = std::max(1, *std::max_element(bands.begin(), bands.end()));
    const int step = (highest + 3) / 4;
    for (QAbstractAxis* axis : chart()->axes(Qt::Vertical)) {
        auto* y = static_cast<QValueAxis*>(axis);
        y->setTickType(QValueAxis::TicksDynamic);
        y->setTickAnchor(0);
        y->setTickInterval(step);
        y->setRange(0, (highest + step - 1) / step * step);
    }
}

bool ScoreBandChart::savePng(const std::filesystem::path& path)
{
    // Encoded in memory first, so a failed save leaves the old picture as it was.
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !grab().save(&buffer, "PNG"))
        return false;
    return writeReplacing(path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}

} // namespace olv
