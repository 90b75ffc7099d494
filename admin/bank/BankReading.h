#pragma once

#include "common/Prompter.h"
#include "common/Question.h"

#include <filesystem>
#include <optional>

namespace olv {

// The temporary file every bank tool reads through, in the working directory.
inline constexpr const char* bankReadTemporaryName = "stk.bak";

// Reads a bank through "stk.bak" in the working directory; tells the user which step
// failed and gives nothing then.
std::optional<QuestionBank> readBankTelling(const std::filesystem::path& bankPath, Prompter& prompter);

// Every answer in its stored form.
void normalizeAnswers(QuestionBank& bank);

} // namespace olv
