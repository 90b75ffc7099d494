#pragma once

#include "common/ExamSettings.h"

#include <cstdint>
#include <string_view>

namespace olv {

// The seed of each stage of a paper; every stage that runs seeds the generator afresh.
struct PaperSeeds
{
    std::uint32_t drawing = 0;
    std::uint32_t questionOrder = 0;
    std::uint32_t optionOrder = 0;

    bool operator==(const PaperSeeds&) const = default;
};

// The number an exam number stands for: parsed like atoi, remainder of division by 1000
// with its sign. An exam number longer than an int still yields its last three digits.
int examNumberSeed(std::string_view examNumber);

// `now` is the time in whole seconds, read once per paper.
PaperSeeds paperSeeds(DrawMode mode, int fixedNumber, std::string_view examNumber, std::int64_t now);

} // namespace olv
