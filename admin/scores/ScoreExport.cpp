#include "admin/scores/ScoreExport.h"

#include "admin/scores/ScoreStatistics.h"
#include "admin/sheets/SheetWriter.h"
#include "common/TextFields.h"
#include "platform/Gbk.h"
#include "platform/ReplacingWrite.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace olv {

namespace {

constexpr std::array<const char*, 5> headings = { "班级", "姓名", "考号", "得分", "状态" };

// One exported row, UTF-8, with the width of each cell; the score as a number when the field
// holds one.
struct ExportRow
{
    std::array<std::string, 5> cells;
    std::array<double, 5> widths {};
    std::optional<long long> score;
};

// The field without its trailing spaces, in UTF-8, and its width as sheetCellWidth measures it.
// Text that decodes without a "?" put in encodes back to as many GBK bytes as it came from, so
// only a damaged field is encoded again to be measured.
void putTrimmed(ExportRow& row, std::size_t column, const std::string& gbk)
{
    const std::size_t end = gbk.find_last_not_of(' ');
    const std::string_view trimmed
        = end == std::string::npos ? std::string_view() : std::string_view(gbk).substr(0, end + 1);
    row.cells[column] = gbkToUtf8(trimmed);
    const std::string& utf8 = row.cells[column];
    const bool whole = std::count(utf8.begin(), utf8.end(), '?') == std::count(trimmed.begin(), trimmed.end(), '?');
    row.widths[column] = whole ? static_cast<double>(trimmed.size()) : sheetCellWidth(utf8);
}

// The state column's texts and their widths, measured once.
enum State
{
    NotExamined,
    InExam,
    HandedIn
};

struct StateText
{
    std::string text;
    double width;
};

const StateText& stateText(State state)
{
    static const std::array<StateText, 3> texts = { { { "未考", sheetCellWidth("未考") },
        { "考试中", sheetCellWidth("考试中") }, { "已交卷", sheetCellWidth("已交卷") } } };
    return texts[state];
}

std::optional<long long> wholeNumber(const std::string& text)
{
    if (text.empty() || text.size() > 15)
        return std::nullopt;
    const std::size_t digits = text[0] == '-' ? 1 : 0;
    if (digits == text.size() || text.find_first_not_of("0123456789", digits) != std::string::npos)
        return std::nullopt;
    return std::stoll(text);
}

ExportRow exportRow(const ScoreRecord& record)
{
    ExportRow row;
    putTrimmed(row, 0, record.schoolClass);
    putTrimmed(row, 1, record.name);
    putTrimmed(row, 2, record.examNumber);
    static const std::string loggedIn = removeSpaces(loginMark());
    const std::string score = removeSpaces(record.scoreField);
    State state = HandedIn;
    if (score.empty()) {
        state = NotExamined;
    } else if (record.scoreField == loginMark() || score == loggedIn) {
        state = InExam;
    } else {
        row.cells[3] = gbkToUtf8(score);
        row.widths[3] = sheetCellWidth(row.cells[3]);
        row.score = wholeNumber(score);
    }
    row.cells[4] = stateText(state).text;
    row.widths[4] = stateText(state).width;
    return row;
}

// The statistics of the list as label and number, as the list's last lines show them.
std::vector<std::pair<std::string, double>> statisticsRows(const std::vector<ScoreRecord>& records)
{
    const ScoreStatistics statistics = scoreStatistics(records);
    std::vector<std::pair<std::string, double>> rows = {
        { "已交卷", statistics.handedIn },
        { "正在考试", statistics.inExam },
    };
    static const std::array<const char*, 10> bands
        = { "0-9", "10-19", "20-29", "30-39", "40-49", "50-59", "60-69", "70-79", "80-89", "90以上" };
    for (std::size_t band = 0; band < bands.size(); ++band)
        rows.emplace_back(bands[band], statistics.bands[band]);
    const double divisor = statistics.handedIn == 0 ? 1.0 : statistics.handedIn;
    rows.emplace_back("总分数", static_cast<double>(statistics.total));
    rows.emplace_back("最高分", statistics.highest);
    rows.emplace_back("最低分", statistics.lowest == 20000 ? 0 : statistics.lowest);
    rows.emplace_back("平均分", static_cast<double>(statistics.total) / divisor);
    rows.emplace_back("及格率(%)", statistics.passed / divisor * 100.0);
    return rows;
}

void writeXlsx(lxw_workbook* workbook, lxw_format* bold, const std::vector<ExportRow>& rows,
    const std::vector<std::pair<std::string, double>>& statistics)
{
    lxw_format* twoPlaces = workbook_add_format(workbook);
    format_set_num_format(twoPlaces, "0.00");

    lxw_worksheet* list = workbook_add_worksheet(workbook, "成绩");
    std::array<double, 5> widths {};
    for (std::size_t column = 0; column < headings.size(); ++column)
        widths[column] = sheetCellWidth(headings[column]);
    for (const ExportRow& row : rows)
        for (std::size_t column = 0; column < row.widths.size(); ++column)
            widths[column] = std::max(widths[column], row.widths[column]);
    for (std::size_t column = 0; column < widths.size(); ++column)
        worksheet_set_column(list, static_cast<lxw_col_t>(column), static_cast<lxw_col_t>(column),
            std::min(widths[column] + 2, 60.0), nullptr);
    worksheet_freeze_panes(list, 1, 0);
    for (std::size_t column = 0; column < headings.size(); ++column)
        worksheet_write_string(list, 0, static_cast<lxw_col_t>(column), headings[column], bold);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto line = static_cast<lxw_row_t>(i + 1);
        for (std::size_t column = 0; column < rows[i].cells.size(); ++column) {
            const auto col = static_cast<lxw_col_t>(column);
            if (column == 3 && rows[i].score)
                worksheet_write_number(list, line, col, static_cast<double>(*rows[i].score), nullptr);
            else if (!rows[i].cells[column].empty())
                worksheet_write_string(list, line, col, rows[i].cells[column].c_str(), nullptr);
        }
    }

    lxw_worksheet* summary = workbook_add_worksheet(workbook, "统计");
    worksheet_set_column(summary, 0, 0, 12, nullptr);
    worksheet_set_column(summary, 1, 1, 12, nullptr);
    worksheet_freeze_panes(summary, 1, 0);
    worksheet_write_string(summary, 0, 0, "项目", bold);
    worksheet_write_string(summary, 0, 1, "数值", bold);
    for (std::size_t i = 0; i < statistics.size(); ++i) {
        const auto line = static_cast<lxw_row_t>(i + 1);
        worksheet_write_string(summary, line, 0, statistics[i].first.c_str(), nullptr);
        const bool rate = i + 2 >= statistics.size();
        worksheet_write_number(summary, line, 1, statistics[i].second, rate ? twoPlaces : nullptr);
    }
}

std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\";\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

std::string csvBytes(const std::vector<ExportRow>& rows)
{
    std::string bytes = "\xEF\xBB\xBF";
    bytes.reserve(rows.size() * 48 + 64);
    for (std::size_t column = 0; column < headings.size(); ++column)
        bytes += std::string(column ? "," : "") + headings[column];
    bytes += "\r\n";
    for (const ExportRow& row : rows) {
        for (std::size_t column = 0; column < row.cells.size(); ++column) {
            if (column)
                bytes += ',';
            bytes += csvField(row.cells[column]);
        }
        bytes += "\r\n";
    }
    return bytes;
}

bool isCsvName(const std::filesystem::path& out)
{
    std::string extension = out.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
    return extension == ".csv";
}

} // namespace

bool writeScoreSheet(const std::filesystem::path& out, const std::vector<ScoreRecord>& records,
    const std::vector<std::size_t>& order)
{
    std::vector<ExportRow> rows;
    rows.reserve(order.size());
    for (const std::size_t position : order)
        rows.push_back(exportRow(records.at(position)));
    if (isCsvName(out))
        return writeReplacing(out, csvBytes(rows));
    const auto statistics = statisticsRows(records);
    return writeStreamingWorkbook(
        out, [&](lxw_workbook* workbook, lxw_format* bold) { writeXlsx(workbook, bold, rows, statistics); });
}

} // namespace olv
