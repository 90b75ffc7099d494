#pragma once

#include "common/ScoreRecord.h"

#include <cstddef>
#include <string>
#include <vector>

namespace olv {

// A row of the sheet that will not become a candidate, and why (UTF-8).
struct RosterRefusal
{
    std::size_t row; // from 1, as the spreadsheet numbers it
    std::string reason;
};

// What an import would add to a roster: the good rows as records (GBK, fields without padding,
// the blank score field) and every refused row.
struct RosterImport
{
    std::vector<ScoreRecord> added;
    std::vector<RosterRefusal> refused;
};

// Takes the rows of a sheet (UTF-8 cells) as candidates: columns by their heading (班级, 姓名,
// 考号; "class", "name", "exam number" or "number") or, without a heading row, the first three
// columns as class, name and exam number. Refuses a row without an exam number, with one that
// `rosterExamNumbers` (GBK, spaces ignored) or an earlier row holds, a field too long for its
// width, a character GBK cannot hold, a line break or one of "*", ".", "-". Empty rows are skipped.
RosterImport planRosterImport(
    const std::vector<std::vector<std::string>>& rows, const std::vector<std::string>& rosterExamNumbers);

// The preview for the examiner: how many rows will be added and every refused row.
// At most `listedRefusals` refusals are listed; the rest are counted.
std::string rosterImportPreview(const RosterImport& import, std::size_t listedRefusals = 50);

} // namespace olv
