#pragma once

#include "common/Prompter.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace olv {

// An output file as the user named it (UTF-8) and the path to open.
struct OutputName
{
    std::string shown;
    std::filesystem::path path;
};

// Asks for an output name with the save-name dialog and, when a file of that name exists
// already, whether to replace it. Nothing when the user cancels either.
std::optional<OutputName> askOutputName(Prompter& prompter, std::string_view defaultExtension);

// True when both paths name one existing file, however each was written.
bool sameFile(const std::filesystem::path& first, const std::filesystem::path& second);

// The text of a list of lines: every line followed by a line break (LF; CR LF once written in
// text mode).
std::string listText(const std::vector<std::string>& lines);

// Writes GBK lines as a text file, each ended by CR LF, replacing the target whole: a failed
// write leaves an older file as it was.
bool writeTextLines(const std::filesystem::path& target, const std::vector<std::string>& lines);
// The same for a file the user named, telling the user when it cannot be written.
bool writeTextLinesTelling(const OutputName& target, const std::vector<std::string>& lines, Prompter& prompter);

} // namespace olv
