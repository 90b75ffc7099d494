#include "common/TextLines.h"

namespace olv {

LineRead readLine(File& file, std::string& line, std::size_t longest)
{
    if (file.readTextLine(line, longest))
        return LineRead::Line;
    line.clear();
    std::optional<std::int64_t> size = file.size();
    return size && file.position() >= *size ? LineRead::End : LineRead::Failed;
}

TextLines readTextLines(const std::filesystem::path& path, OpenMode mode, Sharing sharing, std::size_t longest)
{
    std::optional<File> file = File::open(path, mode, sharing);
    if (!file)
        return { FileResult::CannotOpen, {}, {} };
    return readTextLines(*file, longest);
}

TextLines readTextLines(File& file, std::size_t longest)
{
    TextLines result;
    std::string line;
    LineRead read;
    for (std::size_t number = 1; (read = readLine(file, line, longest)) == LineRead::Line; ++number) {
        if (line.size() > longest)
            result.overlong.push_back(number);
        else
            result.lines.push_back(line);
    }
    if (read == LineRead::Failed)
        result.result = FileResult::Failed;
    return result;
}

} // namespace olv
