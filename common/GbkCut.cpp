#include "common/GbkCut.h"

#include "platform/Gbk.h"

#include <algorithm>

namespace olv {

std::string cutGbk(std::string_view text, std::size_t maxBytes)
{
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t width = isGbkLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + width > maxBytes)
            break;
        end += width;
    }
    return std::string(text.substr(0, std::min(end, text.size())));
}

} // namespace olv
