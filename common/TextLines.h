#pragma once

#include "platform/File.h"

#include <filesystem>
#include <string>
#include <vector>

namespace olv {

enum class FileResult
{
    Done,
    CannotOpen, // missing, held by another opener, or not a regular file
    Failed, // opened, but a read or write failed part-way
    TooLarge, // larger than the reader takes
};

// How a line read ended.
enum class LineRead
{
    Line, // a line was read
    End, // the file had ended: the line is empty
    Failed, // a read error: the line is empty
};

// Reads the next text-mode line; at the end of the file or on an error the line is emptied
// and the result tells the two apart. See File::readTextLine for `longest`.
LineRead readLine(File& file, std::string& line, std::size_t longest = File::anyLength);

// The lines of a whole file, or why they could not all be read.
struct TextLines
{
    FileResult result = FileResult::Done;
    std::vector<std::string> lines;
    // The numbers (from 1) of the lines longer than the reader takes; they are not in `lines`.
    std::vector<std::size_t> overlong;
};

// Every line of the file. A line longer than `longest` bytes is left out (its number kept in
// `overlong`) and never held in memory whole.
TextLines readTextLines(
    const std::filesystem::path& path, OpenMode mode, Sharing sharing, std::size_t longest = File::anyLength);
// The same from the current position of an open file.
TextLines readTextLines(File& file, std::size_t longest = File::anyLength);

} // namespace olv
