#include "common/StemLines.h"

namespace olv {

std::vector<std::string> stemLines(std::string_view stem)
{
    static constexpr std::string_view lineBreak = "/n";
    std::vector<std::string> lines;
    for (std::size_t at = stem.find(lineBreak); at != std::string_view::npos; at = stem.find(lineBreak)) {
        lines.emplace_back(stem.substr(0, at));
        stem.remove_prefix(at + lineBreak.size());
    }
    lines.emplace_back(stem);
    return lines;
}

} // namespace olv
