#pragma once

#include "admin/scores/ScoreSortOrder.h"
#include "common/ScoreRecord.h"

#include <cstddef>
#include <string>
#include <vector>

namespace olv {

// The lines of the score list, GBK: the header, one line per record in `displayOrder`, then the
// four statistics lines. Every column is as wide as its longest field (at least 4) plus one blank.
std::vector<std::string> scoreListLines(
    const std::vector<ScoreRecord>& records, const std::vector<std::size_t>& displayOrder);

// The same in the chosen order.
std::vector<std::string> scoreListLines(const std::vector<ScoreRecord>& records, ScoreSortOrder order);

// The statistics lines that end the list.
inline constexpr std::size_t scoreStatisticsLineCount = 4;

} // namespace olv
