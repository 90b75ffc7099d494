#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace olv {

// "check.txt" in the folder of the score database: what the score list keeps for the examiner
// when the database looks changed behind its back. Its record lines are the stored lines of
// the database with the byte-pair transform undone, damaged lines included.
std::filesystem::path tamperRecordPath(const std::filesystem::path& scoreFile);

// At loading: appends the database's lines and "----------" after what the file already holds.
bool writeDamagedFileRecord(const std::filesystem::path& scoreFile, const std::vector<std::string>& storedLines);

// At refresh: appends an empty line, "此前屏幕显示的记录为:", the list lines shown before,
// "现在成绩库中的记录为:", the database's lines and "----------".
bool appendTamperRecord(const std::filesystem::path& scoreFile, const std::vector<std::string>& shownLines,
    const std::vector<std::string>& storedLines);

} // namespace olv
