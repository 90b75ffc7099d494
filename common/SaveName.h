#pragma once

#include <string>
#include <string_view>

namespace olv {

// A file name as the examiner's program completes it: `extension` (with its dot) appended
// when the file name holds no "."; a dot in a folder name of its path does not count.
std::string withDefaultExtension(std::string name, std::string_view extension);

// The filter of the save-name dialog's own file picker: "请输入文件名(.txt)|NULL|". Its
// pattern lists only files called "NULL", so in practice the name is typed.
std::string saveNamePickerFilter(std::string_view extension);

} // namespace olv
