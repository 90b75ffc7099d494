#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace olv {

// Files larger than this are refused before anything is read, so a reading never holds more
// than a bounded amount in memory. A roster or a question template is far smaller.
inline constexpr std::uintmax_t sheetFileLimit = 32u * 1024 * 1024;
// An XLSX part unpacks to at most this many bytes (a small file may unpack to gigabytes).
inline constexpr std::uintmax_t sheetPartLimit = 256u * 1024 * 1024;
// Rows beyond this are refused with the row that passes it.
inline constexpr std::size_t sheetRowLimit = 200000;

struct SheetError
{
    std::size_t row = 0; // from 1; 0 when the file as a whole is at fault
    std::string reason; // UTF-8, for the examiner
};

// The first sheet of an XLSX, or a CSV/text table, as rows of UTF-8 cells. Row i of `rows` is
// the sheet's row i + 1 (rows the sheet leaves out are empty), cell j its column j + 1. Numbers
// come as their shortest text, whole numbers as plain digits ("20240101", never "2.0240101E7").
struct SheetReadResult
{
    std::vector<std::vector<std::string>> rows;
    std::optional<SheetError> error; // set when the file cannot be taken; rows are empty then
};

// An XLSX (by its content, whatever the name) or a CSV in UTF-8 (with or without byte order
// mark) or GBK, separated by commas, semicolons or tabs (the one the first line uses most),
// with quoted fields and doubled quotes. Refuses: a file that is missing or too large, an old
// or password-protected workbook, a workbook without a sheet, an empty sheet, formulas, too
// many rows.
SheetReadResult readSheet(const std::string& path);
// The same for a CSV/text table already in memory (a file's bytes, any of the encodings above).
SheetReadResult readSheetText(std::string bytes);

// "文件 PATH 第 N 行: REASON" (without the row when the file as a whole is at fault).
std::string sheetErrorText(const std::string& path, const SheetError& error);

} // namespace olv
