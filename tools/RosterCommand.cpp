#include "tools/OlvTool.h"

#include "common/LineViews.h"
#include "common/ScoreDatabase.h"
#include "common/ScoreRecord.h"
#include "common/TextFields.h"
#include "platform/Gbk.h"

#include <array>
#include <set>

namespace olv::tool {

namespace {

struct RosterField
{
    const char* name;
    std::size_t width;
};

constexpr std::array<RosterField, 3> rosterFields
    = { { { "class", schoolClassWidth }, { "name", nameWidth }, { "exam number", examNumberWidth } } };

std::vector<std::string> splitAtTabs(std::string_view line)
{
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.emplace_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

// The separators of a stored line may not appear in a field, and a field longer than its width
// would give a line the exam client cannot match.
void checkField(const std::string& field, const RosterField& kind, const std::string& where)
{
    if (field.find_first_of("*.-") != std::string::npos)
        throw ToolError(where + ": the " + kind.name + " holds \"*\", \".\" or \"-\"");
    if (field.size() > kind.width)
        throw ToolError(where + ": the " + kind.name + " is longer than " + std::to_string(kind.width) + " bytes");
}

ScoreRecord rosterRecord(std::string_view line, const std::string& where)
{
    std::vector<std::string> fields = splitAtTabs(line);
    if (fields.size() != rosterFields.size())
        throw ToolError(where + ": expected class, name and exam number separated by tabs");
    for (std::size_t i = 0; i < fields.size(); ++i) {
        fields[i] = removeSpaces(fields[i]);
        checkField(fields[i], rosterFields[i], where);
    }
    if (fields[2].empty())
        throw ToolError(where + ": the exam number is empty");
    return { fields[0], fields[1], fields[2], blankScoreField() };
}

// Every line a candidate on the roster; blank lines are skipped.
std::vector<ScoreRecord> rosterRecords(const std::string& path)
{
    const std::string text = readGbkText(path);
    std::vector<ScoreRecord> records;
    std::set<std::string> examNumbers;
    std::size_t lineNumber = 0;
    for (const std::string_view line : lineViews(text)) {
        ++lineNumber;
        if (line.find_first_not_of(" \t") == std::string_view::npos)
            continue;
        const std::string where = path + " line " + std::to_string(lineNumber);
        ScoreRecord record = rosterRecord(line, where);
        // Lookups take the first line of an exam number, so a second one could never be used.
        if (!examNumbers.insert(record.examNumber).second)
            throw ToolError(where + ": exam number " + gbkToUtf8(record.examNumber) + " appears twice");
        records.push_back(std::move(record));
    }
    return records;
}

} // namespace

void rosterPack(const std::vector<std::string>& args, std::ostream&)
{
    expectArguments(args, 2, "roster-pack TEXT SCOREFILE");
    switch (writeScoreDatabase(args[1], rosterRecords(args[0]))) {
    case FileResult::Done:
        return;
    case FileResult::CannotOpen:
        throw ToolError("cannot create " + args[1] + " (no such folder, or the file is in use)");
    case FileResult::Failed:
    case FileResult::TooLarge:
        break;
    }
    throw ToolError("cannot write " + args[1]);
}

} // namespace olv::tool
