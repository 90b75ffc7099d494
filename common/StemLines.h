#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace olv {

// The lines of a stored stem, split at every "/n". A stem without "/n" (also an empty
// one) is one line; a stem ending in "/n" has an empty last line.
std::vector<std::string> stemLines(std::string_view stem);

// Calls `visit` with each line of a stored stem, as stemLines splits it, without copying.
template <typename Visit>
void forEachStemLine(std::string_view stem, Visit visit)
{
    static constexpr std::string_view lineBreak = "/n";
    for (std::size_t at = stem.find(lineBreak); at != std::string_view::npos; at = stem.find(lineBreak)) {
        visit(stem.substr(0, at));
        stem.remove_prefix(at + lineBreak.size());
    }
    visit(stem);
}

} // namespace olv
