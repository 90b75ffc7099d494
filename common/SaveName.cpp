#include "common/SaveName.h"

namespace olv {

std::string withDefaultExtension(std::string name, std::string_view extension)
{
    if (name.find('.') == std::string::npos)
        name += extension;
    return name;
}

std::string saveNamePickerFilter(std::string_view extension)
{
    return "请输入文件名(" + std::string(extension) + ")|NULL|";
}

} // namespace olv
