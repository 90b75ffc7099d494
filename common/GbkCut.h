#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace olv {

// The leftmost bytes of a GBK text, at most `maxBytes`; a double-byte character that would be
// split is left out whole.
std::string cutGbk(std::string_view text, std::size_t maxBytes);

} // namespace olv
