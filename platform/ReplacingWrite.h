#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace olv {

class File;

struct ReplacingWriteOptions
{
    // The start of the temporary's name in the target's folder; empty for the target's name +
    // ".new". A random suffix makes the name one nobody else uses.
    std::string temporaryName;
    // For a shared file that others open exclusively: the write holds the lock of the present
    // file while it renames, so nobody is half-way through an update of the file being replaced.
    bool lockTarget = false;
    // The target as the caller holds it open under its exclusive lock: an in-place rewrite then
    // goes through it rather than waiting for a lock the caller itself holds.
    File* heldTarget = nullptr;
};

enum class ReplacingWriteResult
{
    Written,
    TargetBusy, // lockTarget: the present target could not be locked (held by another opener)
    // no temporary could be created in the target's folder and the target could not be rewritten
    // in place
    CannotCreateTemporary,
    TargetNotWritable, // the target is one the user may not write; its bytes are left as they are
    CannotWriteTemporary, // the temporary could not be written, synced or closed
    ReplaceFailed, // the rename over the target failed
};

// Called when a save's new content took the target's name but its folder could not be synced:
// the save stands, only its survival of a power cut is not yet sure. The program that wants to
// warn about it sets this once (nothing is called without it).
void setFolderSyncWarning(std::function<void(const std::filesystem::path& target)> warn);

// The start of the name of the temporary a replacing write of `target` goes through.
std::filesystem::path replacementTemporary(
    const std::filesystem::path& target, const ReplacingWriteOptions& options = {});

// The one way whole files are written: `write` fills the temporary (its writes gathered into
// large pieces, File::gatherWrites), which is then given the
// target's mode (and owner and group where the process may), synced, closed (its result
// checked) and renamed over `target`, and the folder is synced. The target is always the
// complete old or the complete new file, and no temporary stays behind. A symbolic link is
// followed: the file it names is replaced and the link stays. A target the user may not write
// is refused. Where the folder takes no new file but the target is writable, the target is
// rewritten in place under its exclusive lock instead (not safe against a power cut mid-write).
ReplacingWriteResult replaceFileContent(const std::filesystem::path& target, const std::function<bool(File&)>& write,
    const ReplacingWriteOptions& options = {});

// The same with the bytes known up front.
bool writeReplacing(const std::filesystem::path& target, std::string_view bytes);
// writeReplacing with `text` written in text mode (every LF becomes CR LF).
bool writeTextReplacing(const std::filesystem::path& target, std::string_view text);

} // namespace olv
