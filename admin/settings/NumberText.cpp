#include "admin/settings/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace olv {

namespace {

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view blanks = " \t";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// from_chars takes no leading "+"; a typed "+5" is still a number.
std::string_view withoutPlus(std::string_view text)
{
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    return text;
}

template <typename T>
std::optional<T> parseWhole(std::string_view text)
{
    T value {};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

std::string pointsText(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", static_cast<double>(value));
    return text;
}

std::optional<int> parseWholeNumber(std::string_view text) { return parseWhole<int>(withoutPlus(trimmed(text))); }

std::optional<float> parseNumber(std::string_view text)
{
    const std::optional<double> value = parseWhole<double>(withoutPlus(trimmed(text)));
    if (!value || !std::isfinite(*value) || std::fabs(*value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(*value);
}

} // namespace olv
