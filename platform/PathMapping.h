#pragma once

#include <filesystem>
#include <string_view>

namespace olv {

// Turns a path as the files store it (GBK, "\" separators, maybe "d:\...") into a path
// this machine can open: "\" becomes "/", a leading "d:\" or "D:\" is the local drive
// root, and the name is encoded for the file system. Relative paths stay relative, so
// they resolve against the working directory.
std::filesystem::path nativePath(std::string_view gbkPath, const std::filesystem::path& localDriveRoot);

// Where drive D: of the exam machine lives on this system: the user's home folder.
std::filesystem::path defaultLocalDriveRoot();

} // namespace olv
