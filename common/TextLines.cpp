#include "common/TextLines.h"

namespace olv {

LineRead readLine(File& file, std::string& line)
{
    if (file.readTextLine(line))
        return LineRead::Line;
    line.clear();
    std::optional<std::int64_t> size = file.size();
    return size && file.position() >= *size ? LineRead::End : LineRead::Failed;
}

TextLines readTextLines(const std::filesystem::path& path, OpenMode mode, Sharing sharing)
{
    TextLines result;
    std::optional<File> file = File::open(path, mode, sharing);
    if (!file) {
        result.result = FileResult::CannotOpen;
        return result;
    }
    std::string line;
    LineRead read;
    while ((read = readLine(*file, line)) == LineRead::Line)
        result.lines.push_back(line);
    if (read == LineRead::Failed)
        result.result = FileResult::Failed;
    return result;
}

} // namespace olv
