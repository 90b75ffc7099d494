#include "common/ScoreDatabase.h"

#include "common/ByteSwap.h"
#include "common/TextFields.h"
#include "platform/ReplacingWrite.h"

#include <algorithm>

namespace olv {

namespace {

std::string storedLineOf(const ScoreRecord& record) { return swapLineBytePairs(formatScoreLine(record)) + "\r\n"; }

// What the client writes: never a line that its own lookups would skip.
std::string readableStoredLineOf(const ScoreRecord& record)
{
    return swapLineBytePairs(formatReadableScoreLine(record)) + "\r\n";
}

// The exam number of a plain line by the client rule: after the last ".", up to the first "-"
// after it (to the end without one).
std::string_view examNumberField(std::string_view line)
{
    const std::size_t dot = line.rfind('.');
    if (dot == std::string_view::npos)
        return {};
    const std::size_t dash = line.find('-', dot);
    return line.substr(dot + 1, (dash == std::string_view::npos ? line.size() : dash) - dot - 1);
}

bool equalWithoutSpaces(std::string_view field, std::string_view spaceFree)
{
    std::size_t matched = 0;
    for (char c : field) {
        if (c == ' ')
            continue;
        if (matched == spaceFree.size() || spaceFree[matched] != c)
            return false;
        ++matched;
    }
    return matched == spaceFree.size();
}

// The exam number a lookup compares each line with, made once for the whole file.
class ExamNumberMatch
{
public:
    ExamNumberMatch(std::string_view examNumber, ScoreMatch match)
        : m_match(match)
        , m_key(match == ScoreMatch::Padded ? padRight(examNumber, examNumberWidth) : removeSpaces(examNumber))
    { }

    bool matches(std::string_view field) const
    {
        if (m_match == ScoreMatch::Padded)
            return field == m_key;
        return !m_key.empty() && equalWithoutSpaces(field, m_key);
    }

private:
    ScoreMatch m_match;
    std::string m_key;
};

// Copies [from, to) of `file` to `out` in pieces, so a large file never sits in memory whole.
bool copyRange(File& file, std::int64_t from, std::int64_t to, File& out)
{
    constexpr std::size_t piece = 256 * 1024;
    if (!file.seek(from))
        return false;
    for (std::int64_t left = to - from; left > 0;) {
        const std::string bytes = file.read(static_cast<std::size_t>(std::min<std::int64_t>(left, piece)));
        if (bytes.empty() || !out.write(bytes))
            return false;
        left -= static_cast<std::int64_t>(bytes.size());
    }
    return true;
}

// The whole file again with the found line replaced by `stored`, through a replacing write: the
// file is then the old or the new one, and never one cut in the middle of a line it moved. The
// caller's lock on the present file is held throughout, so no machine writes in between.
bool replaceLine(File& file, const FoundScoreRecord& found, const std::string& stored)
{
    const std::optional<std::int64_t> size = file.size();
    if (!size)
        return false;
    const auto write = [&](File& out) {
        return copyRange(file, 0, found.lineStart, out) && out.write(stored)
            && copyRange(file, found.lineEnd, *size, out);
    };
    return replaceFileContent(file.path(), write) == ReplacingWriteResult::Written;
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
    const ExamNumberMatch key(examNumber, match);
    // Only the exam number is compared on every line, in one buffer reused for all of them: the
    // file is held exclusively meanwhile, and every machine in the hall waits for it.
    std::string line;
    std::string plain;
    for (std::int64_t start = file.position(); file.readTextLine(line); start = file.position()) {
        if (line.size() >= scoreLineTooLong)
            continue;
        plain.assign(line);
        swapBytePairs(plain);
        if (match == ScoreMatch::DashedSpaceFree && !hasDashedExamNumber(plain))
            continue;
        if (key.matches(examNumberField(plain)))
            return FoundScoreRecord { splitScoreLineClientRule(plain), line.size(), start, file.position() };
    }
    return std::nullopt;
}

bool rewriteScoreRecord(File& file, const FoundScoreRecord& found, const ScoreRecord& record)
{
    const std::string stored = readableStoredLineOf(record);
    if (static_cast<std::int64_t>(stored.size()) == found.lineEnd - found.lineStart)
        return file.seek(found.lineStart) && file.write(stored);
    return replaceLine(file, found, stored);
}

bool appendScoreRecord(File& file, const ScoreRecord& record) { return file.appendLine(readableStoredLineOf(record)); }

TextLines readScoreLines(const std::filesystem::path& path, OpenMode mode, Sharing sharing)
{
    std::optional<File> file = File::open(path, mode, sharing);
    if (!file)
        return { FileResult::CannotOpen, {}, {} };
    const std::optional<std::int64_t> size = file->size();
    if (!size)
        return { FileResult::Failed, {}, {} };
    if (*size > scoreDatabaseSizeLimit)
        return { FileResult::TooLarge, {}, {} };
    return readTextLines(*file);
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
