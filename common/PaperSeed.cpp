#include "common/PaperSeed.h"

namespace olv {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

int examNumberSeed(std::string_view examNumber)
{
    std::size_t i = 0;
    while (i < examNumber.size() && isBlank(examNumber[i]))
        ++i;
    int sign = 1;
    if (i < examNumber.size() && (examNumber[i] == '+' || examNumber[i] == '-')) {
        sign = examNumber[i] == '-' ? -1 : 1;
        ++i;
    }
    // Digit by digit modulo 1000, so a number of any length cannot overflow.
    int remainder = 0;
    for (; i < examNumber.size() && isDigit(examNumber[i]); ++i)
        remainder = (remainder * 10 + (examNumber[i] - '0')) % 1000;
    return sign * remainder;
}

PaperSeeds paperSeeds(DrawMode mode, int fixedNumber, std::string_view examNumber, std::int64_t now)
{
    // Conversions to the 32-bit state keep the low 32 bits (two's complement for negatives).
    const auto time = static_cast<std::uint32_t>(now);
    const auto fixed = static_cast<std::uint32_t>(fixedNumber);
    switch (mode) {
    case DrawMode::ByExamNumber: {
        const auto number = static_cast<std::uint32_t>(examNumberSeed(examNumber));
        return { number, number, number };
    }
    case DrawMode::BankOrder:
    case DrawMode::FixedNumber:
        return { fixed, time, time };
    case DrawMode::Random:
        break;
    }
    // A mode outside the four is drawn like Random.
    return { time, time, time };
}

} // namespace olv
