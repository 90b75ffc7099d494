#include "admin/sheets/SheetWriter.h"

#include "platform/Gbk.h"
#include "platform/ReplacingWrite.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <unistd.h>

namespace olv {

namespace {

std::filesystem::path scratchPath()
{
    static std::atomic<unsigned> counter { 0 };
    return std::filesystem::temp_directory_path()
        / ("olv-export-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".xlsx");
}

} // namespace

bool writeWorkbookReplacing(
    const std::filesystem::path& out, const std::function<bool(const std::filesystem::path&)>& writeWorkbook)
{
    const std::filesystem::path scratch = scratchPath();
    bool written = writeWorkbook(scratch);
    std::string bytes;
    if (written) {
        std::error_code failure;
        const std::uintmax_t size = std::filesystem::file_size(scratch, failure);
        std::ifstream in(scratch, std::ios::binary);
        bytes.resize(failure ? 0 : static_cast<std::size_t>(size));
        written = !failure && in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))
            && in.peek() == std::char_traits<char>::eof();
    }
    std::error_code ignored;
    std::filesystem::remove(scratch, ignored);
    return written && writeReplacing(out, bytes);
}

bool writeStreamingWorkbook(
    const std::filesystem::path& out, const std::function<void(lxw_workbook* workbook, lxw_format* bold)>& fill)
{
    return writeWorkbookReplacing(out, [&](const std::filesystem::path& file) {
        lxw_workbook_options options {};
        options.constant_memory = LXW_TRUE;
        lxw_workbook* workbook = workbook_new_opt(file.c_str(), &options);
        if (!workbook)
            return false;
        lxw_format* bold = workbook_add_format(workbook);
        format_set_bold(bold);
        fill(workbook, bold);
        return workbook_close(workbook) == LXW_NO_ERROR;
    });
}

double sheetCellWidth(const std::string& utf8) { return static_cast<double>(utf8ToGbk(utf8).size()); }

bool writeTableXlsx(const std::filesystem::path& out, const std::string& sheetName,
    const std::vector<std::string>& headings, const std::vector<std::vector<SheetCell>>& rows)
{
    return writeStreamingWorkbook(out, [&](lxw_workbook* workbook, lxw_format* bold) {
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, sheetName.c_str());
        std::vector<double> widths(headings.size());
        for (std::size_t column = 0; column < headings.size(); ++column)
            widths[column] = sheetCellWidth(headings[column]);
        for (const auto& row : rows)
            for (std::size_t column = 0; column < row.size() && column < widths.size(); ++column)
                widths[column] = std::max(widths[column],
                    row[column].number ? 8.0 : sheetCellWidth(row[column].text));
        for (std::size_t column = 0; column < widths.size(); ++column)
            worksheet_set_column(sheet, static_cast<lxw_col_t>(column), static_cast<lxw_col_t>(column),
                std::min(widths[column] + 2, 60.0), nullptr);
        worksheet_freeze_panes(sheet, 1, 0);
        for (std::size_t column = 0; column < headings.size(); ++column)
            worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(column), headings[column].c_str(), bold);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto line = static_cast<lxw_row_t>(i + 1);
            for (std::size_t column = 0; column < rows[i].size(); ++column) {
                const auto col = static_cast<lxw_col_t>(column);
                if (rows[i][column].number)
                    worksheet_write_number(sheet, line, col, *rows[i][column].number, nullptr);
                else if (!rows[i][column].text.empty())
                    worksheet_write_string(sheet, line, col, rows[i][column].text.c_str(), nullptr);
            }
        }
    });
}

} // namespace olv
