#include "FuzzFiles.h"

#include "platform/File.h"

#include <cstdlib>
#include <unistd.h>

namespace olv::fuzz {

const std::filesystem::path& scratchFolder()
{
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "olv-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratchFolder(), ignored);
        });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

void emptyScratchFolder()
{
    for (const auto& entry : std::filesystem::directory_iterator(scratchFolder()))
        std::filesystem::remove_all(entry.path());
}

void writeFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::optional<File> file = File::open(path, OpenMode::WriteTruncate, Sharing::Shared);
    if (!file || !file->write(bytes))
        std::abort();
}

std::string_view bytesOf(const std::uint8_t* data, std::size_t size)
{
    return { reinterpret_cast<const char*>(data), size };
}

std::vector<std::string_view> splitParts(std::string_view input)
{
    std::vector<std::string_view> parts;
    for (std::size_t at; (at = input.find(partSeparator)) != std::string_view::npos;) {
        parts.push_back(input.substr(0, at));
        input.remove_prefix(at + partSeparator.size());
    }
    parts.push_back(input);
    return parts;
}

} // namespace olv::fuzz
