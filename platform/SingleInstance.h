#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace olv {

// A machine-wide named lock: held by at most one process, released when it is
// destroyed or when the process dies.
class SingleInstanceLock
{
public:
    // Nothing when another process holds the lock of that name.
    static std::optional<SingleInstanceLock> acquire(std::string_view name,
                                                     const std::filesystem::path& lockFolder
                                                     = std::filesystem::temp_directory_path());

    SingleInstanceLock(SingleInstanceLock&& other) noexcept;
    SingleInstanceLock& operator=(SingleInstanceLock&& other) noexcept;
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;
    ~SingleInstanceLock();

private:
    explicit SingleInstanceLock(int fd) : m_fd(fd) { }
    int m_fd = -1;
};

} // namespace olv
