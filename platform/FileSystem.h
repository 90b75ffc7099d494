#pragma once

#include <filesystem>

namespace olv {

// Copies `from` over `to` (created or replaced whole, by a replacing write). False when
// `from` cannot be read or the write fails.
// Copying a file onto itself leaves it alone.
bool copyFile(const std::filesystem::path& from, const std::filesystem::path& to);
bool removeFile(const std::filesystem::path& path);
// Creates one folder; true also when it exists already.
bool createDirectory(const std::filesystem::path& path);
bool fileExists(const std::filesystem::path& path);
// Renames `from` over `to` in one step: readers see the old or the new file, never a mix.
bool renameOver(const std::filesystem::path& from, const std::filesystem::path& to);
// Syncs the folder that holds `file`: a rename into it is only sure to outlive a power cut after that.
bool syncFolderOf(const std::filesystem::path& file);

} // namespace olv
