#include "platform/ReplacingWrite.h"

#include "platform/File.h"
#include "platform/FileSystem.h"

namespace olv {

namespace {

bool syncToDisk(const std::filesystem::path& path)
{
    std::optional<File> file = File::open(path, OpenMode::ReadOnly, Sharing::Shared);
    return file && file->sync();
}

} // namespace

std::filesystem::path replacementTemporary(const std::filesystem::path& target)
{
    std::filesystem::path temporary = target;
    temporary += ".new";
    return temporary;
}

bool writeReplacing(
    const std::filesystem::path& target, const std::function<bool(const std::filesystem::path&)>& writeTemporary)
{
    const std::filesystem::path temporary = replacementTemporary(target);
    if (writeTemporary(temporary) && syncToDisk(temporary) && replaceFile(temporary, target))
        return true;
    removeFile(temporary);
    return false;
}

bool writeTextReplacing(const std::filesystem::path& target, std::string_view text)
{
    return writeReplacing(target, [text](const std::filesystem::path& temporary) {
        std::optional<File> file = File::open(temporary, OpenMode::WriteTruncate, Sharing::Shared);
        return file && file->writeText(text);
    });
}

} // namespace olv
