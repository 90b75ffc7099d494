#include "platform/FreeSpace.h"

#include <limits>
#include <sys/statvfs.h>

namespace olv {

std::optional<std::int64_t> freeKilobytes(const std::filesystem::path& root)
{
    struct statvfs status;
    if (::statvfs(root.c_str(), &status) != 0)
        return std::nullopt;
    std::uint64_t bytes;
    if (__builtin_mul_overflow(
            static_cast<std::uint64_t>(status.f_bavail), static_cast<std::uint64_t>(status.f_frsize), &bytes))
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(bytes / 1024);
}

} // namespace olv
