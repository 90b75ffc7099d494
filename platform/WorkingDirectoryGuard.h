#pragma once

#include <filesystem>

namespace olv {

// Makes `folder` the working directory while the guard lives and sets the previous one back
// when it ends, so that relative names resolve against `folder` for that time only. An empty
// folder, or one that cannot be entered, leaves the working directory as it is.
class WorkingDirectoryGuard
{
public:
    explicit WorkingDirectoryGuard(const std::filesystem::path& folder);
    ~WorkingDirectoryGuard();
    WorkingDirectoryGuard(const WorkingDirectoryGuard&) = delete;
    WorkingDirectoryGuard& operator=(const WorkingDirectoryGuard&) = delete;

private:
    std::filesystem::path m_previous;
};

} // namespace olv
