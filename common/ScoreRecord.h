#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace olv {

// One line of the score database: class "*" name "." examNumber "-" scoreField. Fields are GBK
// bytes; as stored they are filled out with spaces to their widths.
struct ScoreRecord
{
    std::string schoolClass;
    std::string name;
    std::string examNumber;
    std::string scoreField;

    bool operator==(const ScoreRecord&) const = default;
};

inline constexpr std::size_t schoolClassWidth = 16;
inline constexpr std::size_t nameWidth = 16;
inline constexpr std::size_t examNumberWidth = 14;
inline constexpr std::size_t scoreFieldWidth = 8;

// Lines this long or longer do not fit the programs' line buffers and are never parsed.
inline constexpr std::size_t scoreLineTooLong = 200;

// The score field of a candidate on the roster who has not sat the exam: eight spaces.
const std::string& blankScoreField();
// The score field of a candidate whose exam is running: "登陆" and four spaces, in GBK.
const std::string& loginMark();

// The plain line, each field filled out to its width ("%-16s" ...); a longer field stays whole.
std::string formatScoreLine(const ScoreRecord& record);
// The fixed-width line: each field cut to its width (never inside a double-byte character)
// and filled out, 57 bytes in all.
std::string formatFixedWidthScoreLine(const ScoreRecord& record);
// formatScoreLine, or the fixed-width line when that would be too long to be read back.
std::string formatReadableScoreLine(const ScoreRecord& record);

// The storage transform: bytes 0 and 1, 2 and 3, ... exchanged; an odd last byte stays. Its own inverse.
std::string swapLineBytePairs(std::string_view line);

// How the client reads a plain line: class before the first "*", name between the last "*" and
// the first ".", exam number from the last "." to the next "-" (or the end), score after the last
// "-". A field whose separators are missing or out of order is empty.
ScoreRecord splitScoreLineClientRule(std::string_view line);

// How the administration program reads a plain line: the first "*", "." and "-" must all be
// there in that order, or the line is refused.
std::optional<ScoreRecord> splitScoreLineAdminRule(std::string_view line);

} // namespace olv
