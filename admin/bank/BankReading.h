#pragma once

#include "common/Prompter.h"
#include "common/Question.h"
#include "common/QuestionBankFile.h"

#include <filesystem>
#include <optional>
#include <string>

namespace olv {

// The temporary file every bank tool reads through, in the working directory.
inline constexpr const char* bankReadTemporaryName = "stk.bak";

// What the user is told when reading a bank failed at `failure`.
std::string bankReadFailureMessage(BankReadFailure failure);

// Reads a bank through "stk.bak" in the working directory; tells the user which step
// failed and gives nothing then.
std::optional<QuestionBank> readBankTelling(const std::filesystem::path& bankPath, Prompter& prompter);

// Every answer in its stored form.
void normalizeAnswers(QuestionBank& bank);

} // namespace olv
