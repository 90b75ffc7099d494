#pragma once

#include "common/ExamSettings.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace olv {

// The defaults each program starts from before it reads the settings file.
ExamSettings adminDefaults();
ExamSettings clientDefaults();

enum class SettingsRead
{
    NotFound, // the file could not be opened; the record is untouched
    Read, // every line was read; lines missing at the end read as empty
    ReadError, // reading failed after the open; the fields read before keep their new values
};

// Reads the 23 lines into `settings`, which holds the defaults. answerFile is kept as line 22
// holds it; the administration program then calls deriveAnswerFile.
SettingsRead readExamSettings(const std::filesystem::path& path, ExamSettings& settings);
// The same for the client's workspace copy, whose 24th line (the exam number) goes to
// `extraLine`; empty when the file has no such line.
SettingsRead readExamSettings(const std::filesystem::path& path, ExamSettings& settings, std::string& extraLine);

// Writes the 23 lines, then `extraLine` as a 24th when given, to a temporary beside the file
// and renames it over the file. Line 22 is derived from subject and exam name; with `extraLine`
// (the client's workspace copy) it is answerFile as held. False, with the old file untouched,
// when the new one could not be written completely.
bool writeExamSettings(const std::filesystem::path& path, const ExamSettings& settings,
    std::optional<std::string_view> extraLine = std::nullopt);

// The exam folder: subject + examName, or "ExaminationTemporary" when both are empty.
std::string examFolderName(std::string_view subject, std::string_view examName);
inline std::string examFolderName(const ExamSettings& settings)
{
    return examFolderName(settings.subject, settings.examName);
}
// The answer sheet file in the exam folder: the folder + "\daan.txt".
std::string answerFilePath(std::string_view subject, std::string_view examName);
// Replaces answerFile by answerFilePath of the record's subject and exam name.
void deriveAnswerFile(ExamSettings& settings);

// The stored form of the password: every byte plus one (wrapping), and back.
std::string scramblePassword(std::string_view password);
std::string unscramblePassword(std::string_view stored);

} // namespace olv
