#include "common/ScoreDatabase.h"

#include "common/TextFields.h"
#include "platform/ReplacingWrite.h"

namespace olv {

namespace {

std::string storedLineOf(const ScoreRecord& record) { return swapLineBytePairs(formatScoreLine(record)) + "\r\n"; }

// What the client writes: never a line that its own lookups would skip.
std::string readableStoredLineOf(const ScoreRecord& record)
{
    return swapLineBytePairs(formatReadableScoreLine(record)) + "\r\n";
}

bool matches(const std::string& field, std::string_view examNumber, ScoreMatch match)
{
    if (match == ScoreMatch::Padded)
        return field == padRight(examNumber, examNumberWidth);
    std::string spaceFree = removeSpaces(field);
    return !spaceFree.empty() && spaceFree == removeSpaces(examNumber);
}

// Whether a "-" follows the last ".": the only lines the retake's rule gives an exam number.
bool hasDashedExamNumber(std::string_view line)
{
    const std::size_t lastDot = line.rfind('.');
    return lastDot != std::string_view::npos && line.find('-', lastDot) != std::string_view::npos;
}

} // namespace

std::optional<FoundScoreRecord> findScoreRecord(File& file, std::string_view examNumber, ScoreMatch match)
{
    if (!file.seek(0))
        return std::nullopt;
    std::string line;
    for (std::int64_t start = file.position(); file.readTextLine(line); start = file.position()) {
        if (line.size() >= scoreLineTooLong)
            continue;
        const std::string plain = swapLineBytePairs(line);
        if (match == ScoreMatch::DashedSpaceFree && !hasDashedExamNumber(plain))
            continue;
        ScoreRecord record = splitScoreLineClientRule(plain);
        if (matches(record.examNumber, examNumber, match))
            return FoundScoreRecord { std::move(record), line.size(), start, file.position() };
    }
    return std::nullopt;
}

bool rewriteScoreRecord(File& file, const FoundScoreRecord& found, const ScoreRecord& record)
{
    std::string stored = readableStoredLineOf(record);
    if (static_cast<std::int64_t>(stored.size()) == found.lineEnd - found.lineStart)
        return file.seek(found.lineStart) && file.write(stored);

    if (!file.seek(found.lineEnd))
        return false;
    std::optional<std::string> tail = file.readAll();
    if (!tail)
        return false;
    stored += *tail;
    return file.seek(found.lineStart) && file.write(stored)
        && file.truncate(found.lineStart + static_cast<std::int64_t>(stored.size()));
}

bool appendScoreRecord(File& file, const ScoreRecord& record) { return file.appendLine(readableStoredLineOf(record)); }

TextLines readScoreLines(const std::filesystem::path& path, OpenMode mode)
{
    return readTextLines(path, mode, Sharing::Exclusive);
}

bool writeScoreRecords(
    File& file, const std::vector<ScoreRecord>& records, const std::function<void()>& onRecordWritten)
{
    for (const ScoreRecord& record : records) {
        if (!file.write(storedLineOf(record)))
            return false;
        if (onRecordWritten)
            onRecordWritten();
    }
    return true;
}

FileResult writeScoreDatabase(const std::filesystem::path& path, const std::vector<ScoreRecord>& records,
    const std::function<void()>& onRecordWritten)
{
    const auto writeRecords = [&](File& file) { return writeScoreRecords(file, records, onRecordWritten); };
    // Clients update the file in place under its lock: the new file takes the name only while
    // none of them is inside the old one.
    ReplacingWriteOptions options;
    options.lockTarget = true;
    switch (replaceFileContent(path, writeRecords, options)) {
    case ReplacingWriteResult::Written:
        return FileResult::Done;
    case ReplacingWriteResult::TargetBusy:
    case ReplacingWriteResult::TargetNotWritable:
    case ReplacingWriteResult::CannotCreateTemporary:
        return FileResult::CannotOpen;
    case ReplacingWriteResult::CannotWriteTemporary:
    case ReplacingWriteResult::ReplaceFailed:
        break;
    }
    return FileResult::Failed;
}

DecodedScoreLine decodeScoreLineAdminRule(std::string_view storedLine)
{
    if (storedLine.size() >= scoreLineTooLong)
        return { ScoreLineStatus::TooLong, {} };
    std::optional<ScoreRecord> record = splitScoreLineAdminRule(swapLineBytePairs(storedLine));
    if (!record)
        return { ScoreLineStatus::BadFormat, {} };
    return { ScoreLineStatus::Valid, std::move(*record) };
}

} // namespace olv
