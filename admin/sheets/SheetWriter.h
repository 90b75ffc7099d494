#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct lxw_workbook;
struct lxw_format;

namespace olv {

// libxlsxwriter writes only to a named file: `writeWorkbook` fills a scratch file in the system's
// temporary folder, whose bytes then go through the one replacing write to `out`. The scratch
// file is removed on every path. False when either step fails.
bool writeWorkbookReplacing(
    const std::filesystem::path& out, const std::function<bool(const std::filesystem::path&)>& writeWorkbook);

// A workbook written to `out` through writeWorkbookReplacing, in libxlsxwriter's constant memory
// mode: each row goes to the file as the next one starts, so `fill` writes every sheet's rows in
// order, one sheet after the other. `fill` is given the workbook and the bold format of heading
// rows. False when the workbook could not be made or written.
bool writeStreamingWorkbook(
    const std::filesystem::path& out, const std::function<void(lxw_workbook* workbook, lxw_format* bold)>& fill);

// Display width in character cells of a UTF-8 text: a Chinese character takes two.
double sheetCellWidth(const std::string& utf8);

// One cell of a plain table: a number where it is one, else the text (empty for no cell).
struct SheetCell
{
    std::string text;
    std::optional<double> number;
};

// A one-sheet workbook: the headings in bold, the header row frozen, every column as wide as
// its texts (at most 60), numbers as numbers. Written through writeStreamingWorkbook.
bool writeTableXlsx(const std::filesystem::path& out, const std::string& sheetName,
    const std::vector<std::string>& headings, const std::vector<std::vector<SheetCell>>& rows);

} // namespace olv
