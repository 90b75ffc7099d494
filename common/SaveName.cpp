#include "common/SaveName.h"

namespace olv {

std::string withDefaultExtension(std::string name, std::string_view extension)
{
    if (name.find('.') == std::string::npos)
        name += extension;
    return name;
}

} // namespace olv
