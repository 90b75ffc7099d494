#pragma once

// Score database bytes built by hand in tests: each line stored as the exam machines write it.

#include "common/ScoreDatabase.h"
#include "common/ScoreRecord.h"
#include "common/TextFields.h"
#include "support/TestFiles.h"

#include <string>
#include <string_view>
#include <vector>

namespace olv::test {

// A record as the exam client writes it: class and name from UTF-8 to GBK, the score field as
// stored (a number or the login mark), every field at its width.
inline ScoreRecord record(
    std::string_view schoolClass, std::string_view name, std::string_view examNumber, std::string_view score = {})
{
    return { padRight(gbk(schoolClass), schoolClassWidth), padRight(gbk(name), nameWidth),
        padRight(examNumber, examNumberWidth), padRight(score, scoreFieldWidth) };
}

// What an exam machine writes while it holds the file: the score field of the first line of
// `examNumber` rewritten with `score`; false when there is no such line or the write failed.
inline bool rewriteScore(File& file, std::string_view examNumber, const std::string& score, ScoreMatch match)
{
    std::optional<FoundScoreRecord> found = findScoreRecord(file, examNumber, match);
    if (!found)
        return false;
    ScoreRecord record = found->record;
    record.scoreField = score;
    return rewriteScoreRecord(file, *found, record);
}

// One record as a line of the score database: its bytes swapped pairwise, then CR LF.
inline std::string stored(const ScoreRecord& record) { return swapLineBytePairs(formatScoreLine(record)) + "\r\n"; }

// The bytes of a score database holding `records`.
inline std::string stored(const std::vector<ScoreRecord>& records)
{
    std::string bytes;
    for (const ScoreRecord& record : records)
        bytes += stored(record);
    return bytes;
}

} // namespace olv::test
