#pragma once

#include "common/ScoreRecord.h"
#include "common/TextLines.h"
#include "platform/File.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace olv {

// How an exam number is compared with the field of a stored line.
enum class ScoreMatch
{
    Padded, // the field equals the input filled out to 14 bytes ("%-14s")
    SpaceFree, // the field equals the input once all spaces are removed from both
    // As SpaceFree, but the exam number is only the text between the last "." and the first "-"
    // after it; a line without such a "-" has no number and matches nothing (the retake's rule).
    DashedSpaceFree,
};

// A stored line found by its exam number.
struct FoundScoreRecord
{
    ScoreRecord record; // split by the client rule
    std::size_t storedLength; // bytes of the line without its terminator
    std::int64_t lineStart; // offset of the line's first byte
    std::int64_t lineEnd; // offset just after its terminator
};

// Reads the file from its start and returns the first line whose exam number matches, leaving the
// file just after it. Lines too long to parse and lines without an exam number never match.
std::optional<FoundScoreRecord> findScoreRecord(File& file, std::string_view examNumber, ScoreMatch match);

// Replaces the found line by `record`. A line of the same length is written over in place;
// otherwise the whole file is replaced by a replacing write of `file.path()` (the caller's lock
// on it held throughout), so every other line stays as it was and a failure leaves the file as it
// was; `file` then still names the old file and is only to be closed. A record too long to be
// read back is written in its fixed-width form.
bool rewriteScoreRecord(File& file, const FoundScoreRecord& found, const ScoreRecord& record);

// Appends the record as one whole line (see File::appendLine), in its fixed-width form when
// it would be too long to be read back.
bool appendScoreRecord(File& file, const ScoreRecord& record);

// No exam's roster comes near this size (a million candidates take 59 MB); a larger file is not a
// score database, and reading it whole would take the examiner's machine minutes and gigabytes.
inline constexpr std::int64_t scoreDatabaseSizeLimit = std::int64_t { 64 } * 1024 * 1024;

// Opens the file with `mode` (exclusively, unless told) and reads every line as stored (still
// transformed); a file larger than scoreDatabaseSizeLimit is refused (TooLarge) unread.
TextLines readScoreLines(const std::filesystem::path& path, OpenMode mode, Sharing sharing = Sharing::Exclusive);

// Every record in order, each as a stored line, into an open file.
bool writeScoreRecords(
    File& file, const std::vector<ScoreRecord>& records, const std::function<void()>& onRecordWritten);

// Replaces the file (a replacing write, holding the present file's lock while it renames) by
// one with every record in order.
// `onRecordWritten` is called after each record, for a progress display.
FileResult writeScoreDatabase(const std::filesystem::path& path, const std::vector<ScoreRecord>& records,
    const std::function<void()>& onRecordWritten = {});

enum class ScoreLineStatus
{
    Valid,
    TooLong,
    BadFormat
};

struct DecodedScoreLine
{
    ScoreLineStatus status = ScoreLineStatus::Valid;
    ScoreRecord record; // set when Valid
};

// A stored line as the administration program's loaders take it: length check, transform, the
// administration splitting rule.
DecodedScoreLine decodeScoreLineAdminRule(std::string_view storedLine);

} // namespace olv
