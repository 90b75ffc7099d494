#include "common/SaveName.h"

namespace olv {

std::string withDefaultExtension(std::string name, std::string_view extension)
{
    // Only the file name counts: "/home/zhang.san/new" still gets its extension.
    const std::size_t nameStart = name.find_last_of("/\\");
    if (name.find('.', nameStart == std::string::npos ? 0 : nameStart + 1) == std::string::npos)
        name += extension;
    return name;
}

std::string saveNamePickerFilter(std::string_view extension)
{
    return "请输入文件名(" + std::string(extension) + ")|NULL|";
}

} // namespace olv
