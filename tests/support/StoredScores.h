#pragma once

// Score database bytes built by hand in tests: each line stored as the exam machines write it.

#include "common/ScoreRecord.h"

#include <string>
#include <vector>

namespace olv::test {

// One record as a line of the score database: its bytes swapped pairwise, then CR LF.
inline std::string stored(const ScoreRecord& record) { return swapLineBytePairs(formatScoreLine(record)) + "\r\n"; }

// The bytes of a score database holding `records`.
inline std::string stored(const std::vector<ScoreRecord>& records)
{
    std::string bytes;
    for (const ScoreRecord& record : records)
        bytes += stored(record);
    return bytes;
}

} // namespace olv::test
