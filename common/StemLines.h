#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace olv {

// The lines of a stored stem, split at every "/n". A stem without "/n" (also an empty
// one) is one line; a stem ending in "/n" has an empty last line.
std::vector<std::string> stemLines(std::string_view stem);

} // namespace olv
