#pragma once

// Small helpers over POSIX calls, shared by the platform sources only.

#include <cerrno>
#include <sys/file.h>

namespace olv::posix {

// Repeats a call that a signal interrupted before it did anything.
template <typename Call>
auto retryOnInterrupt(Call call)
{
    auto result = call();
    while (result == -1 && errno == EINTR)
        result = call();
    return result;
}

// Takes the exclusive lock on an open file, failing at once when another opener holds it.
inline bool lockWithoutWaiting(int fd)
{
    return retryOnInterrupt([&] { return ::flock(fd, LOCK_EX | LOCK_NB); }) == 0;
}

} // namespace olv::posix
