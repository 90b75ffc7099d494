#pragma once

#include "common/ExamSettings.h"

#include <filesystem>
#include <optional>

namespace olv {

class Prompter;

// How many entries of the operator password the examiner's program accepts.
constexpr int operatorPasswordTries = 4;

// The start of the examiner's program before its settings dialog shows: the defaults, the
// settings file read over them (a read error is reported, the lines read stay), the answer
// sheet path derived, then the operator password asked for when one is set. Nothing when the
// program is to end: the prompt was quit or every entry was wrong.
std::optional<ExamSettings> startAdmin(const std::filesystem::path& settingsFile, Prompter& prompter);

} // namespace olv
