#include "platform/PathMapping.h"

#include "platform/Gbk.h"

#include <algorithm>
#include <cstdlib>
#include <pwd.h>
#include <string>
#include <unistd.h>

namespace olv {

namespace {

bool startsWithDriveD(std::string_view path)
{
    return path.size() >= 2 && (path[0] == 'd' || path[0] == 'D') && path[1] == ':';
}

} // namespace

std::filesystem::path nativePath(std::string_view gbkPath, const std::filesystem::path& localDriveRoot)
{
    // Decoded first: a GBK trail byte may be 0x5C, which is no separator.
    std::string path = gbkToUtf8(gbkPath);
    std::replace(path.begin(), path.end(), '\\', '/');
    if (!startsWithDriveD(path))
        return path;
    std::string rest = path.substr(2);
    rest.erase(0, rest.find_first_not_of('/'));
    return rest.empty() ? localDriveRoot : localDriveRoot / rest;
}

std::filesystem::path defaultLocalDriveRoot()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    const passwd* entry = ::getpwuid(::getuid());
    if (entry && entry->pw_dir && *entry->pw_dir)
        return entry->pw_dir;
    return "/tmp";
}

} // namespace olv
