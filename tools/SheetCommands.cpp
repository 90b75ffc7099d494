#include "admin/scores/AcceptedScoreLines.h"
#include "admin/scores/RosterImport.h"
#include "admin/scores/ScoreDatabaseSave.h"
#include "admin/scores/ScoreExport.h"
#include "admin/scores/ScoreSortOrder.h"
#include "admin/sheets/SheetReader.h"
#include "common/ScoreDatabase.h"
#include "tools/OlvTool.h"

#include <filesystem>
#include <iostream>

namespace olv::tool {

void rosterImport(const std::vector<std::string>& args, std::ostream&)
{
    expectArguments(args, 2, "roster-import SHEET ROSTER");
    const SheetReadResult sheet = readSheet(args[0]);
    if (sheet.error)
        throw ToolError(sheetErrorText(args[0], *sheet.error));
    // The roster as the editor loads it, so the save keeps what exam machines write meanwhile.
    std::vector<std::string> loadedLines;
    std::vector<EditedRecord> records;
    if (std::filesystem::exists(args[1])) {
        TextLines read = readScoreLines(args[1], OpenMode::ReadWriteExisting);
        if (read.result != FileResult::Done)
            throw ToolError("cannot read " + args[1] + " (no access, or the file is in use)");
        loadedLines = std::move(read.lines);
    }
    std::vector<std::string> examNumbers;
    for (std::size_t line = 0; line < loadedLines.size(); ++line) {
        const DecodedScoreLine decoded = decodeScoreLineAdminRule(loadedLines[line]);
        if (decoded.status != ScoreLineStatus::Valid)
            continue;
        records.push_back({ paddedRecord(decoded.record), line });
        examNumbers.push_back(decoded.record.examNumber);
    }
    const RosterImport import = planRosterImport(sheet.rows, examNumbers);
    for (const RosterRefusal& refusal : import.refused)
        std::cerr << refusal.row << '\t' << refusal.reason << '\n';
    for (const ScoreRecord& record : import.added)
        records.push_back({ paddedRecord(record), std::nullopt });
    if (!import.added.empty() && !saveScoreDatabase(args[1], loadedLines, records).saved)
        throw ToolError("cannot write " + args[1]);
    if (!import.refused.empty())
        throw ToolError(std::to_string(import.refused.size()) + " rows refused, " + std::to_string(import.added.size())
            + " added");
}

void scoreExport(const std::vector<std::string>& args, std::ostream&)
{
    constexpr const char* usage = "usage: olvtool score-export SCOREFILE OUT.xlsx|OUT.csv [ORDER]";
    if (args.size() != 2 && args.size() != 3)
        throw ToolError(usage);
    ScoreSortOrder order = ScoreSortOrder::FileOrder;
    if (args.size() == 3) {
        if (args[2].size() != 1 || args[2][0] < '0' || args[2][0] > '4')
            throw ToolError(std::string("ORDER is 0 to 4 as for score-list: ") + usage);
        order = static_cast<ScoreSortOrder>(args[2][0] - '0');
    }
    const TextLines read = readTextLines(args[0], OpenMode::ReadOnly, Sharing::Shared);
    if (read.result != FileResult::Done)
        throw ToolError("cannot read " + args[0]);
    const AcceptedScoreLines accepted = acceptScoreLines(read.lines);
    for (const DamagedScoreLine& damaged : accepted.damaged)
        std::cerr << "olvtool: " << args[0] << " line " << damaged.lineNumber << ": not a record, left out\n";
    if (!writeScoreSheet(args[1], accepted.records, scoreDisplayOrder(accepted.records, order)))
        throw ToolError("cannot write " + args[1]);
}

} // namespace olv::tool
