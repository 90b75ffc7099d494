#include "admin/scores/ProposedExamNumber.h"

#include "common/TextFields.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace olv {

namespace {

constexpr std::int64_t largest = std::numeric_limits<std::int64_t>::max();

// Nothing for a field that is not a number below the largest 64-bit number.
std::optional<std::int64_t> examNumberValue(const std::string& field)
{
    const std::string digits = removeSpaces(field);
    if (digits.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const int digit = c - '0';
        if (value > (largest - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    if (value == largest)
        return std::nullopt;
    return value;
}

} // namespace

std::string proposedExamNumber(const std::vector<ScoreRecord>& records)
{
    std::int64_t highest = 0;
    for (const ScoreRecord& record : records) {
        if (const std::optional<std::int64_t> value = examNumberValue(record.examNumber); value && *value > highest)
            highest = *value;
    }
    return std::to_string(highest + 1);
}

} // namespace olv
