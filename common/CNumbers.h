#pragma once

#include <string>
#include <string_view>

namespace olv {

// The C library's atoi and atof: leading white space, an optional sign, the longest number that
// follows; 0 when there is none. Values out of range are clamped instead of being undefined.
// cAtof reads decimal numbers with an optional exponent only (no "inf", "nan" or hex forms), so
// its result is always finite.
int cAtoi(std::string_view text);
double cAtof(std::string_view text);

// printf("%.*f", decimals, value) in the C locale, for decimals from 0 to 60; "%f" by default.
std::string formatFixed(double value, int decimals = 6);

} // namespace olv
