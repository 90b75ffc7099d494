#include "platform/WorkingDirectoryGuard.h"

namespace olv {

WorkingDirectoryGuard::WorkingDirectoryGuard(const std::filesystem::path& folder)
{
    std::error_code failed;
    std::filesystem::path previous = std::filesystem::current_path(failed);
    if (failed || folder.empty())
        return;
    std::filesystem::current_path(folder, failed);
    if (!failed)
        m_previous = std::move(previous);
}

WorkingDirectoryGuard::~WorkingDirectoryGuard()
{
    std::error_code failed;
    if (!m_previous.empty())
        std::filesystem::current_path(m_previous, failed);
}

} // namespace olv
