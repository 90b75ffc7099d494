#include "platform/ReplacingWrite.h"

#include "platform/File.h"
#include "platform/FileSystem.h"

#include <cerrno>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace olv {

namespace {

constexpr int temporaryNameAttempts = 16;
constexpr int maxLinkHops = 40;

// The file a save of `target` replaces: a symbolic link is followed to the file it names, so
// that the link stays and the named file gets the new content.
std::filesystem::path resolvedTarget(const std::filesystem::path& target)
{
    std::filesystem::path resolved = target;
    std::error_code error;
    // A link may name a file not yet there: it is followed all the same, hop by hop.
    for (int hop = 0; hop < maxLinkHops && std::filesystem::is_symlink(resolved, error); ++hop) {
        std::filesystem::path next = std::filesystem::read_symlink(resolved, error);
        if (error)
            return resolved;
        resolved = next.is_absolute() ? next : resolved.parent_path() / next;
    }
    return resolved;
}

std::string randomSuffix()
{
    static thread_local std::mt19937_64 generator { std::random_device {}() };
    static constexpr char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string suffix = ".";
    for (int i = 0; i < 8; ++i)
        suffix += digits[generator() % (sizeof digits - 1)];
    return suffix;
}

// Creates a temporary under a name nobody else holds; `created` names it on success.
std::optional<File> createTemporary(const std::filesystem::path& base, std::filesystem::path& created)
{
    for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
        std::filesystem::path name = base;
        name += randomSuffix();
        if (std::optional<File> file = File::open(name, OpenMode::CreateNew, Sharing::Exclusive)) {
            created = name;
            return file;
        }
        if (errno != EEXIST)
            return std::nullopt;
    }
    return std::nullopt;
}

// The form for a folder that takes no new file: the target itself is rewritten under its lock.
ReplacingWriteResult rewriteInPlace(
    const std::filesystem::path& target, const std::function<bool(File&)>& write, File* heldTarget)
{
    std::optional<File> opened;
    if (!heldTarget) {
        opened = File::open(target, OpenMode::ReadWriteExisting, Sharing::Exclusive);
        if (!opened)
            return ReplacingWriteResult::CannotCreateTemporary;
        heldTarget = &*opened;
    }
    File& file = *heldTarget;
    file.gatherWrites();
    const bool written = file.seek(0) && write(file) && file.truncate(file.position()) && file.sync();
    file.gatherWrites(0); // the caller's own later writes go down as they come
    const bool closed = !opened || opened->close();
    return closed && written ? ReplacingWriteResult::Written : ReplacingWriteResult::CannotWriteTemporary;
}

std::function<void(const std::filesystem::path&)>& folderSyncWarning()
{
    static std::function<void(const std::filesystem::path&)> warn;
    return warn;
}

} // namespace

std::filesystem::path replacementTemporary(const std::filesystem::path& target, const ReplacingWriteOptions& options)
{
    if (!options.temporaryName.empty())
        return target.parent_path() / options.temporaryName;
    std::filesystem::path temporary = target;
    temporary += ".new";
    return temporary;
}

void setFolderSyncWarning(std::function<void(const std::filesystem::path& target)> warn)
{
    folderSyncWarning() = std::move(warn);
}

ReplacingWriteResult replaceFileContent(const std::filesystem::path& named, const std::function<bool(File&)>& write,
    const ReplacingWriteOptions& options)
{
    const std::filesystem::path target = resolvedTarget(named);
    struct stat present {};
    const bool exists = ::stat(target.c_str(), &present) == 0;
    // A file the user may not write stays as it is, even where the folder would take a rename.
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return ReplacingWriteResult::TargetNotWritable;
    std::optional<File> targetLock; // held until the new file has taken the name
    if (options.lockTarget) {
        targetLock = File::open(target, OpenMode::ReadWriteExisting, Sharing::Exclusive);
        if (!targetLock && errno != ENOENT)
            return ReplacingWriteResult::TargetBusy;
    }
    std::filesystem::path temporary;
    std::optional<File> file = createTemporary(replacementTemporary(target, options), temporary);
    if (!file) {
        // Only a folder that refuses new files gets the rewrite, never a full or broken disk.
        if (!exists || (errno != EACCES && errno != EPERM))
            return ReplacingWriteResult::CannotCreateTemporary;
        targetLock.reset(); // the rewrite takes the same lock itself
        return rewriteInPlace(target, write, options.heldTarget);
    }
    // Writers put their files down record by record; the system sees a few large writes.
    file->gatherWrites();
    // A new file keeps the mode an ordinary create gives; a replaced one keeps who may read it.
    bool written = !exists || file->takeAccessOf(present.st_mode, present.st_uid, present.st_gid);
    written = written && write(*file) && file->sync();
    if (!file->close() || !written) {
        removeFile(temporary);
        return ReplacingWriteResult::CannotWriteTemporary;
    }
    if (!renameOver(temporary, target)) {
        removeFile(temporary);
        return ReplacingWriteResult::ReplaceFailed;
    }
    if (!syncFolderOf(target) && folderSyncWarning())
        folderSyncWarning()(target);
    return ReplacingWriteResult::Written;
}

bool writeReplacing(const std::filesystem::path& target, std::string_view bytes)
{
    return replaceFileContent(target, [bytes](File& file) { return file.write(bytes); })
        == ReplacingWriteResult::Written;
}

bool writeTextReplacing(const std::filesystem::path& target, std::string_view text)
{
    return writeReplacing(target, textModeBytes(text));
}

} // namespace olv
