#include "common/LineViews.h"

#include <algorithm>
#include <cstring>

namespace olv {

std::vector<std::string_view> lineViews(std::string_view text)
{
    std::vector<std::string_view> lines;
    // Counted first: a bank has a million lines, and a growing list would move them again and again.
    lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    while (!text.empty()) {
        const auto* lineFeed = static_cast<const char*>(std::memchr(text.data(), '\n', text.size()));
        if (!lineFeed) {
            lines.push_back(text);
            break;
        }
        const auto length = static_cast<std::size_t>(lineFeed - text.data());
        lines.push_back(text.substr(0, length > 0 && lineFeed[-1] == '\r' ? length - 1 : length));
        text.remove_prefix(length + 1);
    }
    return lines;
}

} // namespace olv
