#pragma once

#include "common/ScoreDatabase.h"
#include "common/ScoreRecord.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace olv {

// A record of the score database editor and the line of the file it was loaded from (an index
// into the lines as loaded); nothing for a record the examiner entered.
struct EditedRecord
{
    ScoreRecord record; // fields filled out to their widths
    std::optional<std::size_t> sourceLine;

    bool operator==(const EditedRecord&) const = default;
};

// A line appended by another program since the load that the editor's loader refuses.
struct RefusedLine
{
    std::size_t lineNumber; // from 1
    ScoreLineStatus status;
};

// The examiner's records with what exam machines wrote into the file since it was loaded.
struct CarriedOver
{
    std::vector<EditedRecord> records;
    std::size_t count = 0; // records that took a machine's score field or were appended by one
    std::vector<RefusedLine> refused;
};

// A score field the examiner left as loaded takes the file's newer value when the line still names
// the same exam number; lines appended since the load are added after the examiner's records.
// A line appended that holds a record already in the list is not added a second time.
// `loadedLines` and `currentLines` are stored lines (transformed, without their terminators).
CarriedOver carryOverMachineChanges(const std::vector<std::string>& loadedLines,
    const std::vector<EditedRecord>& records, const std::vector<std::string>& currentLines);

struct ScoreDatabaseSave
{
    bool saved = false;
    CarriedOver carried;
    std::vector<std::string> writtenLines; // the stored lines of the new file, one per record
};

// Takes the file exclusively, carries the machines' changes over, and replaces the file by the
// result while the lock is held, so no machine writes in between. A failed save leaves the file
// as it was. `onRecordWritten` is called after each record, for a progress display.
ScoreDatabaseSave saveScoreDatabase(const std::filesystem::path& path, const std::vector<std::string>& loadedLines,
    const std::vector<EditedRecord>& records, const std::function<void()>& onRecordWritten = {});

// A record as the editor holds it: every field filled out to its width.
ScoreRecord paddedRecord(const ScoreRecord& record);

} // namespace olv
