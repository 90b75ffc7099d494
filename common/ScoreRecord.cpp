#include "common/ScoreRecord.h"

#include "common/ByteSwap.h"
#include "common/GbkCut.h"
#include "common/TextFields.h"
#include "platform/Gbk.h"

#include <algorithm>

namespace olv {

namespace {

constexpr auto npos = std::string_view::npos;

std::string between(std::string_view line, std::size_t open, std::size_t close)
{
    if (open == npos || close == npos || close <= open)
        return {};
    return std::string(line.substr(open + 1, close - open - 1));
}

std::string after(std::string_view line, std::size_t separator)
{
    return separator == npos ? std::string() : std::string(line.substr(separator + 1));
}

} // namespace

const std::string& blankScoreField()
{
    static const std::string field(scoreFieldWidth, ' ');
    return field;
}

const std::string& loginMark()
{
    static const std::string mark = padRight(utf8ToGbk("登陆"), scoreFieldWidth);
    return mark;
}

namespace {

void appendPadded(std::string& line, std::string_view field, std::size_t width)
{
    line.append(field);
    if (field.size() < width)
        line.append(width - field.size(), ' ');
}

} // namespace

// Built in one string: a save makes one for every record of the database.
std::string formatScoreLine(const ScoreRecord& record)
{
    std::string line;
    line.reserve(std::max(record.schoolClass.size(), schoolClassWidth) + std::max(record.name.size(), nameWidth)
        + std::max(record.examNumber.size(), examNumberWidth) + std::max(record.scoreField.size(), scoreFieldWidth)
        + 3);
    appendPadded(line, record.schoolClass, schoolClassWidth);
    line += '*';
    appendPadded(line, record.name, nameWidth);
    line += '.';
    appendPadded(line, record.examNumber, examNumberWidth);
    line += '-';
    appendPadded(line, record.scoreField, scoreFieldWidth);
    return line;
}

std::string formatFixedWidthScoreLine(const ScoreRecord& record)
{
    return formatScoreLine({ cutGbk(record.schoolClass, schoolClassWidth), cutGbk(record.name, nameWidth),
        cutGbk(record.examNumber, examNumberWidth), cutGbk(record.scoreField, scoreFieldWidth) });
}

std::string formatReadableScoreLine(const ScoreRecord& record)
{
    std::string line = formatScoreLine(record);
    return line.size() < scoreLineTooLong ? line : formatFixedWidthScoreLine(record);
}

std::string swapLineBytePairs(std::string_view line)
{
    std::string swapped(line);
    swapBytePairs(swapped);
    return swapped;
}

ScoreRecord splitScoreLineClientRule(std::string_view line)
{
    std::size_t firstStar = line.find('*');
    std::size_t lastStar = line.rfind('*');
    std::size_t firstDot = line.find('.');
    std::size_t lastDot = line.rfind('.');
    std::size_t lastDash = line.rfind('-');

    ScoreRecord record;
    record.schoolClass = firstStar == npos ? std::string() : std::string(line.substr(0, firstStar));
    record.name = between(line, lastStar, firstDot);
    if (lastDot != npos) {
        std::size_t dash = line.find('-', lastDot);
        record.examNumber = between(line, lastDot, dash == npos ? line.size() : dash);
    }
    record.scoreField = after(line, lastDash);
    return record;
}

std::optional<ScoreRecord> splitScoreLineAdminRule(std::string_view line)
{
    std::size_t star = line.find('*');
    std::size_t dot = line.find('.');
    std::size_t dash = line.find('-');
    if (star == npos || dot == npos || dash == npos || !(star < dot && dot < dash))
        return std::nullopt;
    return ScoreRecord { std::string(line.substr(0, star)), between(line, star, dot), between(line, dot, dash),
        after(line, dash) };
}

} // namespace olv
