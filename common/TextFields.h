#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace olv {

// printf("%-*s", width, text): the text followed by spaces up to `width` bytes; a longer text stays whole.
std::string padRight(std::string_view text, std::size_t width);

// The text without any of its spaces.
std::string removeSpaces(std::string_view text);

} // namespace olv
