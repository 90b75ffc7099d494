#pragma once

#include "platform/File.h"

#include <filesystem>
#include <string>
#include <vector>

namespace olv {

enum class FileResult
{
    Done,
    CannotOpen, // missing, or held by another opener
    Failed, // opened, but a read or write failed part-way
};

// How a line read ended.
enum class LineRead
{
    Line, // a line was read
    End, // the file had ended: the line is empty
    Failed, // a read error: the line is empty
};

// Reads the next text-mode line; at the end of the file or on an error the line is emptied
// and the result tells the two apart.
LineRead readLine(File& file, std::string& line);

// The lines of a whole file, or why they could not all be read.
struct TextLines
{
    FileResult result = FileResult::Done;
    std::vector<std::string> lines;
};

TextLines readTextLines(const std::filesystem::path& path, OpenMode mode, Sharing sharing);

} // namespace olv
