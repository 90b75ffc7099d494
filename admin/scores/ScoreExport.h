#pragma once

#include "common/ScoreRecord.h"

#include <cstddef>
#include <filesystem>
#include <vector>

namespace olv {

// Writes the records in `order` (positions into `records`, which are in file order) as a table
// for a spreadsheet program: 班级, 姓名, 考号, 得分 (a number where it is one), 状态 (未考 /
// 考试中 / 已交卷). A name ending in ".csv" gives a CSV (UTF-8 with byte order mark, CR LF);
// any other an XLSX with a second sheet "统计" holding the list's statistics, the header row
// frozen and the columns as wide as their texts. Written through the replacing write: the file
// is the complete old one or the complete new one. False when it could not be written.
bool writeScoreSheet(const std::filesystem::path& out, const std::vector<ScoreRecord>& records,
    const std::vector<std::size_t>& order);

} // namespace olv
