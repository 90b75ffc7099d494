#pragma once

#include "common/Question.h"
#include "platform/File.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace olv {

enum class BankReadFailure
{
    CannotOpenBank,
    CannotCreateTemporary,
    // Kept for the callers' wording; the text is parsed in memory, so it does not occur.
    CannotOpenTemporary,
};

struct BankReadResult
{
    std::optional<QuestionBank> bank; // empty when a step failed
    BankReadFailure failure = BankReadFailure::CannotOpenBank;
};

// Reads a bank file. The bank is held exclusively only while its bytes are read; `lockWait` is
// how long the open waits for another reader. The temporary file is created and deleted again,
// so an unwritable temporary folder fails as the callers expect; the text itself never goes
// through it.
BankReadResult readQuestionBank(const std::filesystem::path& bankPath, const std::filesystem::path& temporaryPath,
    std::chrono::milliseconds lockWait = examinerLockWait);

enum class BankWriteResult
{
    Written,
    CannotCreateTemporary, // also when the temporary could not be written in full
    CannotReplaceTarget,
};

// Name of the temporary file that a write puts beside its target.
inline constexpr std::string_view bankWriteTemporaryName = "linshist.bak";

// Writes the bank to a temporary file in the target's folder and renames it over the
// target, so the target is either left as it was or replaced whole.
BankWriteResult writeQuestionBank(const QuestionBank& bank, const std::filesystem::path& targetPath);

// The bank as text (before the storage transform) and back. The parser follows text-mode
// lines: a line ends at LF, a CR just before the LF is dropped.
std::string questionBankText(const QuestionBank& bank);
QuestionBank parseQuestionBankText(std::string_view text);

} // namespace olv
