#include "platform/ReplacingWrite.h"

#include "platform/File.h"
#include "platform/FileSystem.h"

#include <cerrno>

namespace olv {

namespace {

ReplacingWriteResult writeTemporary(const std::filesystem::path& temporary, const std::function<bool(File&)>& write)
{
    std::optional<File> file = File::open(temporary, OpenMode::WriteTruncate, Sharing::Exclusive);
    if (!file)
        return ReplacingWriteResult::CannotCreateTemporary;
    const bool written = write(*file) && file->sync();
    return file->close() && written ? ReplacingWriteResult::Written : ReplacingWriteResult::CannotWriteTemporary;
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

ReplacingWriteResult replaceFileContent(
    const std::filesystem::path& target, const std::function<bool(File&)>& write, const ReplacingWriteOptions& options)
{
    std::optional<File> targetLock; // held until the new file has taken the name
    if (options.lockTarget) {
        targetLock = File::open(target, OpenMode::ReadWriteExisting, Sharing::Exclusive);
        if (!targetLock && errno != ENOENT)
            return ReplacingWriteResult::TargetBusy;
    }
    const std::filesystem::path temporary = replacementTemporary(target, options);
    if (ReplacingWriteResult result = writeTemporary(temporary, write); result != ReplacingWriteResult::Written) {
        // A temporary that could not be created is not ours to remove (another writer's, or a folder).
        if (result == ReplacingWriteResult::CannotWriteTemporary)
            removeFile(temporary);
        return result;
    }
    if (!replaceFile(temporary, target)) {
        removeFile(temporary);
        return ReplacingWriteResult::ReplaceFailed;
    }
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
