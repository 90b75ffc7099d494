#pragma once

#include "common/ScoreRecord.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace olv {

enum class RetakeResult
{
    Done,
    CannotOpen, // missing, read-only or held by another machine
    NotFound,
    Failed, // found, but the write failed
};

struct RetakeOutcome
{
    RetakeResult result = RetakeResult::NotFound;
    ScoreRecord previous; // the line as it was, when found
};

// Whether a retake asks first: only for a handed-in score (blanks removed, neither empty nor "登陆").
bool retakeNeedsConfirmation(std::string_view scoreField);

// The question a retake asks (UTF-8): the candidate, the score, that clearing cannot be undone.
std::string retakeQuestion(const ScoreRecord& record);

// Opens the score database exclusively and blanks the score field of the first line whose exam
// number (between the last "." and the first "-" after it), blanks removed, is `examNumber`
// blanks removed; a line without such a number matches nothing. The line keeps its class, name and
// exam number at their widths; a line of another width makes a replacing write of the whole file
// under the same lock, so no other line changes and a failed write leaves the file as it was.
RetakeOutcome clearScore(const std::filesystem::path& scoreFile, std::string_view examNumber);

} // namespace olv
