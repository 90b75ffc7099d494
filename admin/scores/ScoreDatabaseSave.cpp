#include "admin/scores/ScoreDatabaseSave.h"

#include "common/TextFields.h"
#include "common/TextLines.h"
#include "platform/File.h"
#include "platform/ReplacingWrite.h"

#include <unordered_set>

namespace olv {

namespace {

std::optional<ScoreRecord> validRecord(const std::string& storedLine)
{
    DecodedScoreLine decoded = decodeScoreLineAdminRule(storedLine);
    if (decoded.status != ScoreLineStatus::Valid)
        return std::nullopt;
    return paddedRecord(decoded.record);
}

// The record with the score field a machine wrote into its source line since the load, when the
// examiner left that field and the exam number as loaded.
bool takeMachineScore(
    EditedRecord& edited, const std::vector<std::string>& loadedLines, const std::vector<std::string>& currentLines)
{
    if (!edited.sourceLine || *edited.sourceLine >= loadedLines.size() || *edited.sourceLine >= currentLines.size())
        return false;
    // A line the machines left as it was brings nothing: most lines, and the decoding is spared.
    if (loadedLines[*edited.sourceLine] == currentLines[*edited.sourceLine])
        return false;
    const std::optional<ScoreRecord> loaded = validRecord(loadedLines[*edited.sourceLine]);
    const std::optional<ScoreRecord> current = validRecord(currentLines[*edited.sourceLine]);
    if (!loaded || !current || current->examNumber != loaded->examNumber)
        return false;
    ScoreRecord& record = edited.record;
    if (record.examNumber != loaded->examNumber || record.scoreField != loaded->scoreField
        || current->scoreField == loaded->scoreField)
        return false;
    record.scoreField = current->scoreField;
    return true;
}

bool readAllLines(File& file, std::vector<std::string>& lines)
{
    std::string line;
    LineRead read;
    while ((read = readLine(file, line)) == LineRead::Line)
        lines.push_back(line);
    return read == LineRead::End;
}

} // namespace

ScoreRecord paddedRecord(const ScoreRecord& record)
{
    return { padRight(record.schoolClass, schoolClassWidth), padRight(record.name, nameWidth),
        padRight(record.examNumber, examNumberWidth), padRight(record.scoreField, scoreFieldWidth) };
}

CarriedOver carryOverMachineChanges(const std::vector<std::string>& loadedLines,
    const std::vector<EditedRecord>& records, const std::vector<std::string>& currentLines)
{
    CarriedOver carried { records, 0, {} };
    for (EditedRecord& edited : carried.records) {
        if (takeMachineScore(edited, loadedLines, currentLines))
            ++carried.count;
    }
    if (currentLines.size() <= loadedLines.size())
        return carried;
    // Records are told apart by their four fields; the set holds positions in the list, which
    // stay valid as records are added, so no key is built per record.
    std::vector<EditedRecord>& list = carried.records;
    list.reserve(list.size() + (currentLines.size() - loadedLines.size()));
    const auto fieldsHash = [&list](std::size_t at) {
        const ScoreRecord& r = list[at].record;
        std::size_t hash = 0;
        for (const std::string* field : { &r.schoolClass, &r.name, &r.examNumber, &r.scoreField })
            hash = hash * 1000003 ^ std::hash<std::string> {}(*field);
        return hash;
    };
    const auto sameFields = [&list](std::size_t a, std::size_t b) {
        const ScoreRecord& x = list[a].record;
        const ScoreRecord& y = list[b].record;
        return x.schoolClass == y.schoolClass && x.name == y.name && x.examNumber == y.examNumber
            && x.scoreField == y.scoreField;
    };
    std::unordered_set<std::size_t, decltype(fieldsHash), decltype(sameFields)> present(
        list.capacity(), fieldsHash, sameFields);
    for (std::size_t at = 0; at < list.size(); ++at)
        present.insert(at);
    for (std::size_t line = loadedLines.size(); line < currentLines.size(); ++line) {
        const DecodedScoreLine decoded = decodeScoreLineAdminRule(currentLines[line]);
        if (decoded.status != ScoreLineStatus::Valid) {
            carried.refused.push_back({ line + 1, decoded.status });
            continue;
        }
        // A record already in the list (written by an earlier save of this session whose outcome
        // was not seen) is not added a second time.
        list.push_back({ paddedRecord(decoded.record), line });
        if (!present.insert(list.size() - 1).second) {
            list.pop_back();
            continue;
        }
        ++carried.count;
    }
    return carried;
}

ScoreDatabaseSave saveScoreDatabase(const std::filesystem::path& path, const std::vector<std::string>& loadedLines,
    const std::vector<EditedRecord>& records, const std::function<void()>& onRecordWritten)
{
    ScoreDatabaseSave save;
    // Held until the new file has replaced the old one: machines wait instead of writing into a
    // file that is about to be replaced.
    std::optional<File> lock = File::open(path, OpenMode::ReadWriteCreate, Sharing::Exclusive);
    std::vector<std::string> currentLines;
    if (!lock || !readAllLines(*lock, currentLines))
        return save;

    save.carried = carryOverMachineChanges(loadedLines, records, currentLines);
    // Each stored line is made once: written, then kept as the new file's lines.
    std::vector<std::string> stored;
    stored.reserve(save.carried.records.size());
    for (const EditedRecord& edited : save.carried.records)
        stored.push_back(swapLineBytePairs(formatScoreLine(edited.record)));
    const auto writeLines = [&](File& temporary) {
        for (const std::string& line : stored) {
            if (!temporary.write(line) || !temporary.write("\r\n"))
                return false;
            if (onRecordWritten)
                onRecordWritten();
        }
        return true;
    };
    // The lock taken above is what keeps the machines out while the new file takes the name.
    ReplacingWriteOptions options;
    options.heldTarget = &*lock;
    save.saved = replaceFileContent(path, writeLines, options) == ReplacingWriteResult::Written;
    if (save.saved)
        save.writtenLines = std::move(stored);
    return save;
}

} // namespace olv
