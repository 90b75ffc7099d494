#include "platform/FileSystem.h"

#include "platform/FaultInjection.h"
#include "platform/File.h"
#include "platform/Posix.h"
#include "platform/ReplacingWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace olv {

namespace {

bool syncFolder(const std::filesystem::path& folder)
{
    int fd = posix::retryOnInterrupt([&] { return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
    if (fd < 0)
        return false;
    bool synced = posix::retryOnInterrupt([&] { return ::fsync(fd); }) == 0;
    ::close(fd);
    if (std::optional<int> error = faults::takeFault(FileOperation::Sync)) {
        errno = *error;
        synced = false;
    }
    return synced;
}

} // namespace

bool copyFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::error_code error;
    if (std::filesystem::equivalent(from, to, error))
        return true; // emptying the target would destroy the source
    auto source = File::open(from, OpenMode::ReadOnly, Sharing::Shared);
    if (!source)
        return false;
    auto bytes = source->readAll();
    if (!bytes)
        return false;
    return writeReplacing(to, *bytes);
}

bool removeFile(const std::filesystem::path& path) { return ::unlink(path.c_str()) == 0; }

bool createDirectory(const std::filesystem::path& path)
{
    if (::mkdir(path.c_str(), 0777) == 0)
        return true;
    std::error_code error;
    return errno == EEXIST && std::filesystem::is_directory(path, error);
}

bool fileExists(const std::filesystem::path& path)
{
    struct stat status;
    return ::stat(path.c_str(), &status) == 0;
}

bool renameOver(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (std::optional<int> error = faults::takeFault(FileOperation::Rename)) {
        errno = *error;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool syncFolderOf(const std::filesystem::path& file)
{
    return syncFolder(file.has_parent_path() ? file.parent_path() : std::filesystem::path("."));
}

} // namespace olv
