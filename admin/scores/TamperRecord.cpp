#include "admin/scores/TamperRecord.h"

#include "common/ScoreRecord.h"
#include "platform/File.h"
#include "platform/Gbk.h"

namespace olv {

namespace {

// Lines joined for text mode: each ends with LF, which the write turns into CR LF.
void addLine(std::string& text, std::string_view line)
{
    text += line;
    text += '\n';
}

std::string databaseSection(const std::vector<std::string>& storedLines)
{
    std::string text;
    for (const std::string& line : storedLines)
        addLine(text, swapLineBytePairs(line));
    addLine(text, "----------");
    return text;
}

} // namespace

std::filesystem::path tamperRecordPath(const std::filesystem::path& scoreFile)
{
    return scoreFile.parent_path() / "check.txt";
}

bool writeDamagedFileRecord(const std::filesystem::path& scoreFile, const std::vector<std::string>& storedLines)
{
    // Appended, never replaced: an earlier refresh may have left its evidence in the file.
    std::optional<File> file = File::open(tamperRecordPath(scoreFile), OpenMode::WriteAppendCreate, Sharing::Shared);
    return file && file->writeText(databaseSection(storedLines));
}

bool appendTamperRecord(const std::filesystem::path& scoreFile, const std::vector<std::string>& shownLines,
    const std::vector<std::string>& storedLines)
{
    std::string text = "\n";
    addLine(text, utf8ToGbk("此前屏幕显示的记录为:"));
    for (const std::string& line : shownLines)
        addLine(text, line);
    addLine(text, utf8ToGbk("现在成绩库中的记录为:"));
    text += databaseSection(storedLines);
    std::optional<File> file = File::open(tamperRecordPath(scoreFile), OpenMode::WriteAppendCreate, Sharing::Shared);
    return file && file->writeText(text);
}

} // namespace olv
