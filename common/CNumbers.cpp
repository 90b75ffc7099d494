#include "common/CNumbers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <limits>
#include <system_error>

namespace olv {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The characters C's isspace accepts in the "C" locale.
bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

struct Cursor
{
    std::string_view text;
    std::size_t pos = 0;

    bool at(char c) const { return pos < text.size() && text[pos] == c; }
    bool atDigit() const { return pos < text.size() && isDigit(text[pos]); }

    void skipBlanks()
    {
        while (pos < text.size() && isBlank(text[pos]))
            ++pos;
    }

    // Consumes an optional sign; true for "-".
    bool takeSign()
    {
        bool negative = at('-');
        if (negative || at('+'))
            ++pos;
        return negative;
    }

    std::string_view takeDigits()
    {
        std::size_t start = pos;
        while (atDigit())
            ++pos;
        return text.substr(start, pos - start);
    }
};

// A decimal number split into its parts, with the exponent saturated far beyond double's range.
struct DecimalParts
{
    std::string_view integerDigits;
    std::string_view fractionDigits;
    long exponent = 0;
};

constexpr long exponentLimit = 100000;

long takeExponent(Cursor& cursor)
{
    Cursor probe = cursor;
    if (!probe.at('e') && !probe.at('E'))
        return 0;
    ++probe.pos;
    bool negative = probe.takeSign();
    if (!probe.atDigit())
        return 0; // "1e" and "1e+" end before the "e"
    long value = 0;
    for (char digit : probe.takeDigits())
        value = std::min(value * 10 + (digit - '0'), exponentLimit);
    cursor = probe;
    return negative ? -value : value;
}

// Whether the number is at least 1 in magnitude: an out-of-range result is then an overflow.
bool isAtLeastOne(const DecimalParts& parts)
{
    std::size_t leadingZeros = parts.integerDigits.find_first_not_of('0');
    long decimalExponent;
    if (leadingZeros != std::string_view::npos) {
        decimalExponent = static_cast<long>(parts.integerDigits.size() - leadingZeros);
    } else {
        std::size_t zeros = parts.fractionDigits.find_first_not_of('0');
        if (zeros == std::string_view::npos)
            return false;
        decimalExponent = -static_cast<long>(zeros);
    }
    return decimalExponent + parts.exponent > 0;
}

double toDouble(const DecimalParts& parts)
{
    std::string number(parts.integerDigits.empty() ? "0" : parts.integerDigits);
    if (!parts.fractionDigits.empty())
        number.append(".").append(parts.fractionDigits);
    if (parts.exponent != 0)
        number.append("e").append(std::to_string(parts.exponent));
    double value = 0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range)
        return isAtLeastOne(parts) ? std::numeric_limits<double>::max() : 0.0;
    return value;
}

} // namespace

int cAtoi(std::string_view text)
{
    Cursor cursor { text };
    cursor.skipBlanks();
    bool negative = cursor.takeSign();
    constexpr std::int64_t limit = std::int64_t { INT_MAX } + 1;
    std::int64_t magnitude = 0;
    for (char digit : cursor.takeDigits())
        magnitude = std::min(magnitude * 10 + (digit - '0'), limit);
    if (negative)
        return static_cast<int>(-magnitude);
    return static_cast<int>(std::min<std::int64_t>(magnitude, INT_MAX));
}

double cAtof(std::string_view text)
{
    Cursor cursor { text };
    cursor.skipBlanks();
    bool negative = cursor.takeSign();
    DecimalParts parts;
    parts.integerDigits = cursor.takeDigits();
    if (cursor.at('.')) {
        Cursor afterPoint = cursor;
        ++afterPoint.pos;
        parts.fractionDigits = afterPoint.takeDigits();
        if (!parts.integerDigits.empty() || !parts.fractionDigits.empty())
            cursor = afterPoint;
    }
    if (parts.integerDigits.empty() && parts.fractionDigits.empty())
        return 0.0;
    parts.exponent = takeExponent(cursor);
    double value = toDouble(parts);
    return negative ? -value : value;
}

std::string formatFixed(double value, int decimals)
{
    // Large enough for DBL_MAX with any sensible number of decimals.
    char buffer[400];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc {})
        return {};
    return std::string(buffer, end);
}

} // namespace olv
