#pragma once

#include <QChartView>
#include <array>
#include <filesystem>

class QBarSet;

namespace olv {

// The ten score bands of the score list drawn as bars: below 10, below 20, ... 90 or more. The
// list beside it is the chart's text alternative.
class ScoreBandChart : public QChartView
{
    Q_OBJECT
public:
    explicit ScoreBandChart(QWidget* parent = nullptr);

    void showBands(const std::array<int, 10>& bands);
    // The chart as a PNG picture; false when it cannot be written.
    bool savePng(const std::filesystem::path& path);

private:
    QBarSet* m_bars;
};

} // namespace olv
