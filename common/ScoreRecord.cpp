#include "common/ScoreRecord.h"

#include "common/ByteSwap.h"
#include "common/GbkCut.h"
#include "common/TextFields.h"
#include "platform/Gbk.h"

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

std::string formatScoreLine(const ScoreRecord& record)
{
    return padRight(record.schoolClass, schoolClassWidth) + "*" + padRight(record.name, nameWidth) + "."
        + padRight(record.examNumber, examNumberWidth) + "-" + padRight(record.scoreField, scoreFieldWidth);
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
