#include "client/login/RosterLookUp.h"

#include "common/ScoreDatabase.h"
#include "platform/File.h"

namespace olv {

namespace {

RosterStanding standingOf(const std::string& scoreField)
{
    if (scoreField == blankScoreField())
        return RosterStanding::NotExamined;
    if (scoreField == loginMark())
        return RosterStanding::LoggedIn;
    return RosterStanding::Examined;
}

} // namespace

RosterEntry lookUpRoster(const std::filesystem::path& scoreFile, std::string_view examNumber, bool rosterRequired)
{
    const OpenMode mode = rosterRequired ? OpenMode::ReadWriteExisting : OpenMode::ReadWriteCreate;
    std::optional<File> file = File::open(scoreFile, mode, Sharing::Exclusive, candidateLockWait);
    if (!file)
        return { RosterStanding::CannotOpen, {} };
    std::optional<FoundScoreRecord> found = findScoreRecord(*file, examNumber, ScoreMatch::Padded);
    if (!found)
        return { RosterStanding::NotOnRoster, {} };
    return { standingOf(found->record.scoreField), found->record };
}

} // namespace olv
