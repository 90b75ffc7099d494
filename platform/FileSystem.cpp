#include "platform/FileSystem.h"

#include "platform/FaultInjection.h"
#include "platform/File.h"
#include "platform/Gbk.h"
#include "platform/Posix.h"
#include "platform/ReplacingWrite.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace olv {

namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The end of the UTF-8 character that starts at `i`.
std::size_t nextCharacter(std::string_view text, std::size_t i)
{
    ++i;
    while (i < text.size() && isContinuationByte(text[i]))
        ++i;
    return i;
}

// "*" matches any run of characters, "?" exactly one; letters match without case. Both are UTF-8.
bool matchesWildcard(std::string_view name, std::string_view pattern)
{
    std::size_t n = 0, p = 0;
    std::size_t starPattern = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = ++p;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            n = nextCharacter(name, n);
            ++p;
        } else if (p < pattern.size() && lowerAscii(pattern[p]) == lowerAscii(name[n])) {
            ++n;
            ++p;
        } else if (starPattern != std::string_view::npos) {
            // Let the last "*" take one more character and try again from there.
            starName = nextCharacter(name, starName);
            n = starName;
            p = starPattern;
        } else {
            return false;
        }
    }
    return pattern.find_first_not_of('*', p) == std::string_view::npos;
}

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

bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    // The rename itself is only durable once the folder that holds the name is.
    return renameOver(from, to) && syncFolderOf(to);
}

std::vector<std::string> listDirectory(const std::filesystem::path& folder, std::string_view pattern)
{
    std::string utf8Pattern = gbkToUtf8(pattern);
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (it->is_regular_file(typeError) && matchesWildcard(name, utf8Pattern))
            names.push_back(utf8ToGbk(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace olv
