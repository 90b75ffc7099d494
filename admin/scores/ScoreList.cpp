#include "admin/scores/ScoreList.h"

#include "admin/scores/ScoreStatistics.h"
#include "common/TextFields.h"
#include "platform/Gbk.h"

#include <algorithm>
#include <array>

namespace olv {

namespace {

constexpr std::size_t minimumColumnWidth = 4;
constexpr std::array<std::string ScoreRecord::*, 4> columns
    = { &ScoreRecord::schoolClass, &ScoreRecord::name, &ScoreRecord::examNumber, &ScoreRecord::scoreField };

std::array<std::size_t, 4> columnWidths(const std::vector<ScoreRecord>& records)
{
    std::array<std::size_t, 4> widths;
    widths.fill(minimumColumnWidth);
    for (const ScoreRecord& record : records) {
        for (std::size_t column = 0; column < columns.size(); ++column)
            widths[column] = std::max(widths[column], (record.*columns[column]).size());
    }
    return widths;
}

// Each field filled out with blanks to its column's width and one more; built in place, as a
// list of 100,000 records makes as many lines.
std::string columnLine(const std::array<std::string_view, 4>& fields, const std::array<std::size_t, 4>& widths)
{
    std::size_t length = 0;
    for (std::size_t column = 0; column < fields.size(); ++column)
        length += std::max(fields[column].size(), widths[column] + 1);
    std::string line;
    line.reserve(length);
    for (std::size_t column = 0; column < fields.size(); ++column) {
        line.append(fields[column]);
        if (fields[column].size() <= widths[column])
            line.append(widths[column] + 1 - fields[column].size(), ' ');
    }
    return line;
}

} // namespace

std::vector<std::string> scoreListLines(
    const std::vector<ScoreRecord>& records, const std::vector<std::size_t>& displayOrder)
{
    static const std::array<std::string, 4> headings
        = { utf8ToGbk("班级"), utf8ToGbk("姓名"), utf8ToGbk("考号"), utf8ToGbk("得分") };
    const std::array<std::size_t, 4> widths = columnWidths(records);

    std::vector<std::string> lines;
    lines.reserve(displayOrder.size() + 1 + scoreStatisticsLineCount);
    lines.push_back(columnLine({ headings[0], headings[1], headings[2], headings[3] }, widths));
    for (std::size_t position : displayOrder) {
        const ScoreRecord& record = records[position];
        lines.push_back(columnLine({ record.schoolClass, record.name, record.examNumber, record.scoreField }, widths));
    }
    for (std::string& line : scoreStatisticsLines(scoreStatistics(records)))
        lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> scoreListLines(const std::vector<ScoreRecord>& records, ScoreSortOrder order)
{
    return scoreListLines(records, scoreDisplayOrder(records, order));
}

} // namespace olv
