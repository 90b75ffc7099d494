#pragma once

#include <cstddef>
#include <string_view>

namespace olv {

// Whether every byte is ASCII; looked at eight bytes a step.
bool isAscii(std::string_view text);

// The place of the first byte that does not start a well-formed UTF-8 sequence, or npos.
std::size_t firstBadUtf8(std::string_view text);

} // namespace olv
