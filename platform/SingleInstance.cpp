#include "platform/SingleInstance.h"

#include "platform/Posix.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <utility>

namespace olv {

namespace {

// Read-only is enough for flock, and also works on a lock file that another user created.
int openLockFile(const std::filesystem::path& path)
{
    int fd = posix::retryOnInterrupt([&] { return ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666); });
    if (fd < 0 && errno == EACCES)
        fd = posix::retryOnInterrupt([&] { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); });
    return fd;
}

} // namespace

std::optional<SingleInstanceLock> SingleInstanceLock::acquire(
    std::string_view name, const std::filesystem::path& lockFolder)
{
    int fd = openLockFile(lockFolder / (std::string(name) + ".lock"));
    if (fd < 0)
        return std::nullopt;
    SingleInstanceLock lock(fd);
    if (!posix::lockWithoutWaiting(fd))
        return std::nullopt;
    return lock;
}

SingleInstanceLock::SingleInstanceLock(SingleInstanceLock&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
{ }

SingleInstanceLock& SingleInstanceLock::operator=(SingleInstanceLock&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

SingleInstanceLock::~SingleInstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace olv
