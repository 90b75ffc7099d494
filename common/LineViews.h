#pragma once

#include <string_view>
#include <vector>

namespace olv {

// The lines of a text held in memory, as a text-mode stream reads them: a line ends at LF,
// a CR just before the LF is dropped, a lone CR stays, and a last line without LF counts.
// The views point into `text`.
std::vector<std::string_view> lineViews(std::string_view text);

} // namespace olv
