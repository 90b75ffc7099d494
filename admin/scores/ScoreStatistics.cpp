#include "admin/scores/ScoreStatistics.h"

#include "common/CNumbers.h"
#include "common/TextFields.h"
#include "platform/Gbk.h"

#include <algorithm>

namespace olv {

namespace {

constexpr int lowestStart = 20000;

// "%-<width>d".
std::string leftNumber(long long value, std::size_t width) { return padRight(std::to_string(value), width); }

std::size_t bandOf(int value) { return value < 90 ? static_cast<std::size_t>(std::max(value, 0) / 10) : 9; }

} // namespace

CandidateState candidateState(const ScoreRecord& record)
{
    if (record.scoreField == blankScoreField())
        return CandidateState::NotStarted;
    if (record.scoreField == loginMark())
        return CandidateState::InExam;
    return CandidateState::HandedIn;
}

ScoreStatistics scoreStatistics(const std::vector<ScoreRecord>& records)
{
    ScoreStatistics statistics;
    for (const ScoreRecord& record : records) {
        const CandidateState state = candidateState(record);
        if (state == CandidateState::NotStarted)
            continue;
        if (state == CandidateState::InExam) {
            ++statistics.inExam;
            continue;
        }
        const int value = cAtoi(record.scoreField);
        ++statistics.handedIn;
        statistics.total += value;
        statistics.highest = std::max(statistics.highest, value);
        statistics.lowest = std::min(statistics.lowest, value);
        ++statistics.bands[bandOf(value)];
        if (value >= 60)
            ++statistics.passed;
    }
    return statistics;
}

std::vector<std::string> scoreStatisticsLines(const ScoreStatistics& s)
{
    const double divisor = s.handedIn > 0 ? s.handedIn : 1;
    const int lowest = s.lowest == lowestStart ? 0 : s.lowest;
    std::string bandLines[2];
    static const char* const bandCaptions[10]
        = { "  0-9:", "10-19:", "20-29:", "30-39:", "40-49:", "50-59:", "60-69:", "70-79:", "80-89:", "90以上:" };
    for (std::size_t band = 0; band < 10; ++band)
        bandLines[band / 5] += bandCaptions[band] + leftNumber(s.bands[band], 6);
    const std::string counts = "已交卷:" + std::to_string(s.handedIn) + "人   正在考试:" + std::to_string(s.inExam)
        + "人     各分数段人数为:";
    // "%3.2f" never pads: "%.2f" has at least four characters.
    const std::string sums = "总分数:" + leftNumber(s.total, 7) + "最高分:" + leftNumber(s.highest, 5)
        + "最低分:" + leftNumber(lowest, 5) + "平均分:" + formatFixed(static_cast<double>(s.total) / divisor, 2)
        + "   及格率:%" + formatFixed(s.passed / divisor * 100, 2);
    return { utf8ToGbk(counts), utf8ToGbk(bandLines[0]), utf8ToGbk(bandLines[1]), utf8ToGbk(sums) };
}

} // namespace olv
