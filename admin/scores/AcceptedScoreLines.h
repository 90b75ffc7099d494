#pragma once

#include "common/ScoreDatabase.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace olv {

struct DamagedScoreLine
{
    std::size_t lineNumber; // from 1
    ScoreLineStatus status; // TooLong or BadFormat
};

// The stored lines of a score database as the score list takes them: the records of the lines
// that pass the administration rule, in file order, and the lines that do not.
struct AcceptedScoreLines
{
    std::vector<ScoreRecord> records;
    std::vector<DamagedScoreLine> damaged;
};

AcceptedScoreLines acceptScoreLines(const std::vector<std::string>& storedLines);

// After this many messages about damaged lines in one reading the rest share one message.
inline constexpr std::size_t damagedLineMessageCount = 10;

// The messages about the damaged lines of one reading: `lineMessage` for each of the first
// ten, then `restMessage` with the number of the others, once.
std::vector<std::string> damagedLineMessages(const std::vector<DamagedScoreLine>& damaged,
    const std::function<std::string(const DamagedScoreLine&)>& lineMessage,
    const std::function<std::string(std::size_t rest)>& restMessage);

} // namespace olv
