#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace olv {

// Numbers as the settings dialog shows and takes them.

// A point value with at most six significant digits and no trailing zeros: 1.5, 2, 0.333333.
std::string pointsText(float value);

// A whole number, blanks around it allowed; nothing when the text holds anything else or the
// number does not fit an int.
std::optional<int> parseWholeNumber(std::string_view text);
// A number in decimal or exponent form, blanks around it allowed; nothing when the text holds
// anything else or the value is not a finite float.
std::optional<float> parseNumber(std::string_view text);

} // namespace olv
