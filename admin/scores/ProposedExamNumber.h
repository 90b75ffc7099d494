#pragma once

#include "common/ScoreRecord.h"

#include <string>
#include <vector>

namespace olv {

// The exam number "自动" proposes: the largest exam number of the records plus one, "1" when there
// is none. Exam numbers are read as 64-bit numbers; one that is not a plain run of digits, or that
// no larger 64-bit number follows, is skipped, so the proposal never overflows.
std::string proposedExamNumber(const std::vector<ScoreRecord>& records);

} // namespace olv
