#pragma once

#include "common/Question.h"

#include <filesystem>
#include <string>

namespace olv {

// The bank as Moodle XML (UTF-8): choice questions as multichoice, single or not, with the
// fractions of the right answers summing to 100; true/false as truefalse. Texts as plain text,
// the stem's "/n" as a line break.
std::string moodleXmlOfBank(const QuestionBank& bank);

// Writes it, replacing the target whole. False when the file cannot be written.
bool writeMoodleXml(const QuestionBank& bank, const std::filesystem::path& target);

} // namespace olv
