#include "admin/answers/ItemStatistics.h"

#include "admin/sheets/SheetWriter.h"
#include "common/AnswerRecord.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <string_view>
#include <unordered_set>

namespace olv {

namespace {

// The share of the records in each of the upper and lower groups.
constexpr double groupShare = 0.27;

std::string_view withoutCr(const std::string& line)
{
    std::string_view text(line);
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    return text;
}

// The records in file order: each exam number once, its first record.
std::vector<std::string_view> recordsOf(const std::vector<std::string>& answerLines)
{
    std::vector<std::string_view> records;
    std::unordered_set<std::string_view> seen;
    records.reserve(answerLines.size());
    for (const std::string& line : answerLines) {
        const std::string_view text = withoutCr(line);
        if (text.size() < answerMarksStart)
            continue;
        if (seen.insert(text.substr(answerScoreWidth, answerMarksStart - answerScoreWidth)).second)
            records.push_back(text);
    }
    return records;
}

// Running sums over the records that had one question.
struct Sums
{
    long long candidates = 0;
    long long right = 0;
    long long score = 0;
    long long scoreSquared = 0;
    long long rightScore = 0;
    int upperHad = 0;
    int upperRight = 0;
    int lowerHad = 0;
    int lowerRight = 0;
};

std::optional<double> share(long long part, long long whole)
{
    if (whole == 0)
        return std::nullopt;
    return static_cast<double>(part) / static_cast<double>(whole);
}

// Pearson's r from integer sums, so that a zero variance is seen exactly.
std::optional<double> correlation(const Sums& sums)
{
    const long long n = sums.candidates;
    if (n < 2)
        return std::nullopt;
    const long long scoreSpread = n * sums.scoreSquared - sums.score * sums.score;
    const long long markSpread = n * sums.right - sums.right * sums.right;
    if (scoreSpread == 0 || markSpread == 0)
        return std::nullopt;
    const double covariance = static_cast<double>(n * sums.rightScore - sums.score * sums.right);
    return covariance / std::sqrt(static_cast<double>(scoreSpread) * static_cast<double>(markSpread));
}

} // namespace

int answerScore(const std::string& line)
{
    int score = 0;
    for (std::size_t i = 0; i < std::min(line.size(), answerScoreWidth); ++i) {
        if (line[i] < '0' || line[i] > '9')
            break;
        score = score * 10 + (line[i] - '0');
    }
    return score;
}

ItemStatistics itemStatistics(const std::vector<std::string>& answerLines)
{
    const std::vector<std::string_view> records = recordsOf(answerLines);
    ItemStatistics result;
    const int n = static_cast<int>(records.size());
    result.records = n;
    if (n == 0)
        return result;
    const std::size_t questions = records.front().size() - answerMarksStart;

    std::vector<int> scores(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        scores[i] = answerScore(std::string(records[i].substr(0, answerScoreWidth)));

    // Highest score first, ties in file order; the groups are the first and the last g.
    std::vector<int> order(records.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return scores[a] > scores[b]; });
    const int g = std::max(1, static_cast<int>(std::floor(groupShare * n + 0.5)));
    result.groupSize = g;
    std::vector<char> inUpper(records.size()), inLower(records.size());
    for (int i = 0; i < g; ++i) {
        inUpper[order[i]] = 1;
        inLower[order[n - 1 - i]] = 1;
    }

    std::vector<Sums> sums(questions);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string_view marks = records[i].substr(answerMarksStart);
        const long long score = scores[i];
        const std::size_t reach = std::min(questions, marks.size());
        for (std::size_t k = 0; k < reach; ++k) {
            const bool right = marks[k] == 'R';
            if (!right && marks[k] != 'E')
                continue;
            Sums& s = sums[k];
            ++s.candidates;
            s.score += score;
            s.scoreSquared += score * score;
            if (right) {
                ++s.right;
                s.rightScore += score;
            }
            if (inUpper[i]) {
                ++s.upperHad;
                s.upperRight += right;
            }
            if (inLower[i]) {
                ++s.lowerHad;
                s.lowerRight += right;
            }
        }
    }

    std::vector<std::size_t> common;
    result.questions.reserve(questions);
    for (std::size_t k = 0; k < questions; ++k) {
        const Sums& s = sums[k];
        QuestionStatistics q;
        q.candidates = static_cast<int>(s.candidates);
        q.right = static_cast<int>(s.right);
        q.wrong = q.candidates - q.right;
        q.facility = share(s.right, s.candidates);
        if (n >= 2 && s.upperHad > 0 && s.lowerHad > 0)
            q.discrimination = *share(s.upperRight, s.upperHad) - *share(s.lowerRight, s.lowerHad);
        q.pointBiserial = correlation(s);
        result.questions.push_back(q);
        if (s.candidates == n)
            common.push_back(k);
    }

    // KR-20 over the questions every record had.
    const long long k = static_cast<long long>(common.size());
    result.commonQuestions = static_cast<int>(k);
    if (k < 2 || n < 2)
        return result;
    long long sumX = 0, sumXSquared = 0;
    for (const std::string_view record : records) {
        const char* marks = record.data() + answerMarksStart;
        long long x = 0;
        for (const std::size_t question : common)
            x += marks[question] == 'R';
        sumX += x;
        sumXSquared += x * x;
    }
    const long long spread = n * sumXSquared - sumX * sumX; // n² · var X
    if (spread == 0)
        return result;
    double itemVariance = 0;
    for (const std::size_t question : common) {
        const double p = static_cast<double>(sums[question].right) / n;
        itemVariance += p * (1 - p);
    }
    const double varianceX = static_cast<double>(spread) / (static_cast<double>(n) * n);
    result.kr20 = static_cast<double>(k) / static_cast<double>(k - 1) * (1 - itemVariance / varianceX);
    return result;
}

std::string statisticText(const std::optional<double>& value)
{
    if (!value)
        return "-";
    // A value that rounds to nothing prints without a minus sign.
    const double shown = std::fabs(*value) < 0.0005 ? 0.0 : *value;
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", shown);
    return text;
}

std::string itemStatisticsText(const ItemStatistics& statistics)
{
    std::string text = "question\tcandidates\tright\twrong\tfacility\tdiscrimination\tpoint_biserial\n";
    for (std::size_t k = 0; k < statistics.questions.size(); ++k) {
        const QuestionStatistics& q = statistics.questions[k];
        text += std::to_string(k + 1) + '\t' + std::to_string(q.candidates) + '\t' + std::to_string(q.right) + '\t'
            + std::to_string(q.wrong) + '\t' + statisticText(q.facility) + '\t' + statisticText(q.discrimination)
            + '\t' + statisticText(q.pointBiserial) + '\n';
    }
    text += "KR-20\t" + statisticText(statistics.kr20) + '\t' + std::to_string(statistics.commonQuestions) + '\n';
    return text;
}

bool writeItemStatisticsXlsx(const std::filesystem::path& out, const ItemStatistics& statistics)
{
    const auto count = [](double value) { return SheetCell { {}, value }; };
    // Rounded as the text shows them, so the sheet and the text agree.
    const auto figure = [](const std::optional<double>& value) {
        return value ? SheetCell { {}, std::round(*value * 1000) / 1000 } : SheetCell {};
    };
    std::vector<std::vector<SheetCell>> rows;
    rows.reserve(statistics.questions.size() + 1);
    for (std::size_t k = 0; k < statistics.questions.size(); ++k) {
        const QuestionStatistics& q = statistics.questions[k];
        rows.push_back({ count(static_cast<double>(k + 1)), count(q.candidates), count(q.right), count(q.wrong),
            figure(q.facility), figure(q.discrimination), figure(q.pointBiserial) });
    }
    rows.push_back({ SheetCell { "KR-20", {} }, figure(statistics.kr20), count(statistics.commonQuestions) });
    return writeTableXlsx(out, "试题分析",
        { "question", "candidates", "right", "wrong", "facility", "discrimination", "point_biserial" }, rows);
}

std::string questionWarning(const QuestionStatistics& question)
{
    std::string warning;
    const auto add = [&warning](const char* reason) {
        if (!warning.empty())
            warning += "；";
        warning += reason;
    };
    if (question.facility && *question.facility > 0.9)
        add("答对率高于 0.9：几乎人人答对，此题过易");
    if (question.facility && *question.facility < 0.2)
        add("答对率低于 0.2：很少有人答对，此题过难或答案有误");
    if (question.discrimination && *question.discrimination < 0)
        add("区分度为负：低分组比高分组答得好，题目或答案可能有误导");
    else if (question.discrimination && *question.discrimination < 0.2)
        add("区分度低于 0.2：此题难以区分高分与低分考生");
    return warning;
}

} // namespace olv
