#pragma once

#include "common/Question.h"

#include <optional>
#include <string_view>
#include <vector>

namespace olv {

// Two stems count as the same when they agree byte for byte over the length of the shorter
// one: also when one begins with the other, and always when one of them is empty.
bool isDuplicateStem(std::string_view first, std::string_view second);

// For each question of one kind's list, the index of the first question before it whose stem
// counts as the same, or nothing. Works on sorted stems, so a whole bank takes n log n
// comparisons instead of one for every pair.
std::vector<std::optional<std::size_t>> earlierDuplicateStems(const std::vector<Question>& questions);

} // namespace olv
