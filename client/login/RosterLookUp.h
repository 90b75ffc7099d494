#pragma once

#include "common/ScoreRecord.h"

#include <filesystem>
#include <string_view>

namespace olv {

// Where a candidate stands in the score database.
enum class RosterStanding
{
    NotOnRoster,
    NotExamined, // the blank score field
    LoggedIn, // the login mark
    Examined, // anything else in the score field
    CannotOpen,
};

struct RosterEntry
{
    RosterStanding standing = RosterStanding::NotOnRoster;
    ScoreRecord record; // the first line of the exam number, as stored; set when found
};

// Looks a padded exam number up (padded comparison, client splitting rule). The file is held
// exclusively and changed by nothing; when the roster is not required it is created if missing.
RosterEntry lookUpRoster(const std::filesystem::path& scoreFile, std::string_view examNumber, bool rosterRequired);

} // namespace olv
