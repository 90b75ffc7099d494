#pragma once

#include "common/ScoreRecord.h"

#include <cstddef>
#include <vector>

namespace olv {

// The five orders of the score list, numbered as their radio buttons.
enum class ScoreSortOrder
{
    Score = 0, // score as a whole number, greatest first
    ExamNumber = 1, // exam number as text, smallest first
    ClassScore = 2, // class as text, greatest first; within a class, score greatest first
    ClassExamNumber = 3, // class greatest first; within a class, exam number smallest first
    FileOrder = 4,
};

// The record positions in the order the list shows them. The order is the one a selection
// sort gives (for each place, the first best entry from there on is exchanged into it; the
// class orders sort each run of equal class text again by their second key), which is not
// stable; it is computed in O(n log n) and matches that sort entry for entry.
std::vector<std::size_t> scoreDisplayOrder(const std::vector<ScoreRecord>& records, ScoreSortOrder order);

} // namespace olv
