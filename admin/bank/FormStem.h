#pragma once

#include <string>
#include <string_view>

namespace olv {

// The stem box separates lines by CR LF; the bank stores a line break as "/n". A lone CR or
// LF (pasted text) also counts as a line break, since a stored stem must hold neither.
std::string storedStem(std::string_view typed);
// Every "/n" of a stored stem as CR LF, for the stem box.
std::string typedStem(std::string_view stored);

} // namespace olv
