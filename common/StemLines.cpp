#include "common/StemLines.h"

namespace olv {

std::vector<std::string> stemLines(std::string_view stem)
{
    std::vector<std::string> lines;
    forEachStemLine(stem, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

} // namespace olv
