#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace olv {

class File;

struct ReplacingWriteOptions
{
    // The temporary's name in the target's folder; empty for the target's name + ".new".
    std::string temporaryName;
    // For a shared file that others open exclusively: the write holds the lock of the present
    // file while it renames, so nobody is half-way through an update of the file being replaced.
    bool lockTarget = false;
};

enum class ReplacingWriteResult
{
    Written,
    TargetBusy, // lockTarget: the present target could not be locked (held by another opener)
    CannotCreateTemporary, // no temporary could be created in the target's folder
    CannotWriteTemporary, // the temporary could not be written, synced or closed
    ReplaceFailed, // the rename over the target (or the folder sync after it) failed
};

// The temporary a replacing write of `target` goes through.
std::filesystem::path replacementTemporary(
    const std::filesystem::path& target, const ReplacingWriteOptions& options = {});

// The one way whole files are written: `write` fills the temporary, which is then synced,
// closed (its result checked) and renamed over `target`, and the folder is synced. The target
// is always the complete old or the complete new file, and no temporary stays behind.
ReplacingWriteResult replaceFileContent(const std::filesystem::path& target, const std::function<bool(File&)>& write,
    const ReplacingWriteOptions& options = {});

// The same with the bytes known up front.
bool writeReplacing(const std::filesystem::path& target, std::string_view bytes);
// writeReplacing with `text` written in text mode (every LF becomes CR LF).
bool writeTextReplacing(const std::filesystem::path& target, std::string_view text);

} // namespace olv
