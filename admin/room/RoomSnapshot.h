#pragma once

#include "admin/scores/ScoreStatistics.h"
#include "common/ScoreRecord.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace olv {

class Clock;
class Prompter;

// One candidate of the room as the view shows it.
struct RoomTile
{
    ScoreRecord record; // as read, fields GBK and padded
    CandidateState state = CandidateState::NotStarted;
    // When this view first saw the state differ from the one before; none while the state
    // has stayed what it was at the first reading.
    std::optional<std::int64_t> changedAt;
};

// The room view "考场监控": reads the score database over and over and keeps, per candidate, the
// time its state was first seen to change. Reading takes the exclusive open like every reader,
// holds it only for the read, and never writes: damaged lines are left out without a record.
class RoomSnapshot
{
public:
    RoomSnapshot(std::filesystem::path scoreFile, const Clock& clock);

    // Reads the database once. True when it was read; otherwise status() says why and the
    // tiles stay those of the last reading.
    bool refresh();

    // The tiles in file order, grouped by class: classes in the order they first appear.
    const std::vector<RoomTile>& tiles() const { return m_tiles; }
    // How many candidates are in each state, indexed by CandidateState.
    std::array<int, 3> counts() const;
    // UTF-8: the time of the last reading, or why the last reading failed.
    const std::string& status() const { return m_status; }

    // The retake of the score list for the tile at `index`: the same question, the same clearing,
    // then a new reading. Messages go through the prompter.
    void retake(std::size_t index, Prompter& prompter);

    const std::filesystem::path& scoreFile() const { return m_scoreFile; }

private:
    void take(std::vector<ScoreRecord> records);

    std::filesystem::path m_scoreFile;
    const Clock& m_clock;
    std::vector<RoomTile> m_tiles;
    bool m_readOnce = false;
    std::string m_status;
};

// The caption of a state: "未考", "考试中", "已交卷".
const char* candidateStateCaption(CandidateState state);

// "HH:MM:SS" of a time in seconds since 1970, local time.
std::string clockTime(std::int64_t seconds);

} // namespace olv
