#include "common/TextFields.h"

namespace olv {

std::string padRight(std::string_view text, std::size_t width)
{
    std::string padded(text);
    if (padded.size() < width)
        padded.append(width - padded.size(), ' ');
    return padded;
}

std::string removeSpaces(std::string_view text)
{
    std::string result(text);
    std::erase(result, ' ');
    return result;
}

} // namespace olv
