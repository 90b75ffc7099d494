#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace olv {

// The temporary a replacing write of `target` goes through: the target's name + ".new".
std::filesystem::path replacementTemporary(const std::filesystem::path& target);

// Lets `writeTemporary` write the new content to the temporary, flushes it to disk and renames
// it over `target`, so the target is always the complete old or the complete new file. False,
// with the target untouched, when any step fails.
bool writeReplacing(
    const std::filesystem::path& target, const std::function<bool(const std::filesystem::path&)>& writeTemporary);

// writeReplacing with `text` written in text mode (every LF becomes CR LF).
bool writeTextReplacing(const std::filesystem::path& target, std::string_view text);

} // namespace olv
