#include "support/LockWait.h"

#include <thread>

namespace olv::test {

namespace {

bool hasOpen(pid_t pid, const std::filesystem::path& path)
{
    std::error_code error;
    const auto wanted = std::filesystem::canonical(path, error);
    for (std::filesystem::directory_iterator it("/proc/" + std::to_string(pid) + "/fd", error), end;
         !error && it != end; it.increment(error)) {
        std::error_code linkError;
        if (std::filesystem::read_symlink(it->path(), linkError) == wanted)
            return true;
    }
    return false;
}

} // namespace

bool waitUntilOpenedBy(pid_t pid, const std::filesystem::path& path)
{
    for (int tries = 0; tries < 60000; ++tries) {
        if (hasOpen(pid, path))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

} // namespace olv::test
