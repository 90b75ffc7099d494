#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace olv::fuzz {

// A folder of this process in the system's temporary folder, made once and emptied on request.
const std::filesystem::path& scratchFolder();
void emptyScratchFolder();

void writeFile(const std::filesystem::path& path, std::string_view bytes);
std::string_view bytesOf(const std::uint8_t* data, std::size_t size);

// The workspace target's input: the files of the workspace one after the other, each followed by
// the separator line (an empty part stands for a missing file).
inline constexpr std::string_view partSeparator = "\n#olv-part#\n";
std::vector<std::string_view> splitParts(std::string_view input);

} // namespace olv::fuzz
