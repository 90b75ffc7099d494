#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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
// False also when the folder could not be synced afterwards (the rename is then done but not
// yet sure to outlive a power cut).
bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);
// The two steps of replaceFile: the rename alone, and the sync of the folder that holds `file`.
bool renameOver(const std::filesystem::path& from, const std::filesystem::path& to);
bool syncFolderOf(const std::filesystem::path& file);
// The names of the regular files in `folder` that match a pattern such as "*.kst"
// ("*" and "?" wildcards, letters compared without case), sorted by name. Pattern and
// names are GBK, like all data.
std::vector<std::string> listDirectory(const std::filesystem::path& folder, std::string_view pattern);

} // namespace olv
