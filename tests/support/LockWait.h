#pragma once

#include "platform/File.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <sys/types.h>

namespace olv::test {

// Sets how long every exclusive open waits for a held lock, for the guard's lifetime. Tests that
// hold a file to see the open refused set it to zero.
class LockWaitBudget
{
public:
    explicit LockWaitBudget(std::chrono::milliseconds budget)
        : m_previous(lockWaitBudget())
    {
        setLockWaitBudget(budget);
    }
    ~LockWaitBudget() { setLockWaitBudget(m_previous); }
    LockWaitBudget(const LockWaitBudget&) = delete;
    LockWaitBudget& operator=(const LockWaitBudget&) = delete;

private:
    std::optional<std::chrono::milliseconds> m_previous;
};

// Waits until process `pid` has `path` open (seen through /proc); false after a minute.
bool waitUntilOpenedBy(pid_t pid, const std::filesystem::path& path);

} // namespace olv::test
