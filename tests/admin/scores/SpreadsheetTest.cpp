// Roster import and score export against an independent XLSX reader and writer (openpyxl).
#include "admin/answers/ItemStatistics.h"
#include "admin/scores/RosterImport.h"
#include "admin/scores/ScoreExport.h"
#include "admin/scores/ScoreSortOrder.h"
#include "admin/sheets/SheetReader.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace olv {
namespace {

using test::gbk;

std::string openpyxl(const std::string& arguments, const test::TempDir& dir)
{
    const std::filesystem::path output = dir / "openpyxl.out";
    const std::string command
        = std::string(OLV_PYTHON) + " " + OLV_SHEETS_SCRIPT + " " + arguments + " > " + output.string();
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return test::readBytes(output);
}

// The candidate rows of the sheet: name, exam number, class. Row 1 is the heading (in an order
// of its own), row 3 is empty; "|" stands for the separator.
const std::string csvRows
    = "姓名|考号|班级\r\n\"李,\"\"四\"\"\"|20240101|一班\r\n\r\n王五||二班\r\n赵六|20240101|二班\r\n"
      "钱七|1001|二班\r\n孙八|20240107|一个非常长的班级名称\r\n周 九|2.0240108E7|二班\r\n"
      "吴*十|20240109|二班\r\n";
// Not in a GBK file, which cannot hold it.
const std::string emojiRow = "😀|20240110|三班\r\n";
// The same rows for the XLSX, the exam numbers of 李, 钱七, 孙八 and 周 九 as numbers.
const char* const jsonRows
    = R"([["姓名","考号","班级"],["李,\"四\"",20240101,"一班"],[],["王五",null,"二班"],)"
      R"(["赵六","20240101","二班"],["钱七",1001,"二班"],["孙八",20240107,"一个非常长的班级名称"],)"
      R"(["周 九",2.0240108E7,"二班"],["吴*十","20240109","二班"],["😀","20240110","三班"]])";

std::string separated(std::string text, char separator)
{
    std::ranges::replace(text, '|', separator);
    return text;
}

TEST(SpreadsheetTest, importTakesTheSameRowsFromXlsxAndCsvInEveryEncodingAndSeparator)
{
    test::TempDir dir;
    test::writeBytes(dir / "rows.json", jsonRows);
    openpyxl("roster " + (dir / "roster.xlsx").string() + " " + (dir / "rows.json").string(), dir);
    test::writeBytes(dir / "bom.csv", "\xEF\xBB\xBF" + separated(csvRows + emojiRow, ';'));
    test::writeBytes(dir / "plain.txt", separated(csvRows + emojiRow, '\t'));
    test::writeBytes(dir / "gbk.csv", gbk(separated(csvRows, ',')));

    const std::vector<ScoreRecord> added = { { gbk("一班"), gbk("李,\"四\""), "20240101", std::string(8, ' ') },
        { gbk("二班"), gbk("周九"), "20240108", std::string(8, ' ') } };
    const std::vector<std::pair<std::size_t, std::string>> refused = {
        { 4, "没有考号" },
        { 5, "考号 20240101 与第 2 行重复" },
        { 6, "考号 1001 已在成绩库中" },
        { 7, "班级太长（20 字节，最多 16 字节）" },
        { 9, "姓名中不能含有字符 * . -" },
        { 10, "姓名中的字符“😀”不能用 GBK 保存" },
    };
    for (const char* name : { "roster.xlsx", "bom.csv", "plain.txt", "gbk.csv" }) {
        SCOPED_TRACE(name);
        const SheetReadResult sheet = readSheet((dir / name).string());
        ASSERT_FALSE(sheet.error) << sheet.error->reason;
        const RosterImport import = planRosterImport(sheet.rows, { "1001          " });
        EXPECT_EQ(import.added, added);
        std::vector<std::pair<std::size_t, std::string>> got;
        for (const RosterRefusal& refusal : import.refused)
            got.emplace_back(refusal.row, refusal.reason);
        const bool gbkFile = std::string(name) == "gbk.csv";
        EXPECT_EQ(got, std::vector(refused.begin(), refused.end() - (gbkFile ? 1 : 0)));
    }
    // A row shorter than its heading: the cells it lacks are empty, never read past its end.
    const RosterImport shortRow = planRosterImport({ { "姓名", "班级", "考号" }, { "王五", "一班" } }, {});
    ASSERT_EQ(shortRow.refused.size(), 1u);
    EXPECT_EQ(shortRow.refused[0].reason, "没有考号");
}

TEST(SpreadsheetTest, sheetsThatCannotBeReadAreRefusedWithRowAndReason)
{
    test::TempDir dir;
    openpyxl("formula " + (dir / "formula.xlsx").string(), dir);
    openpyxl("tall " + (dir / "tall.xlsx").string() + " 200001", dir);
    openpyxl("zip " + (dir / "nosheet.xlsx").string(), dir);
    openpyxl("altered " + (dir / "altered.xlsx").string(), dir);
    // Far enough down that the sheet arrives in several pieces before the bad byte.
    openpyxl("notutf8 " + (dir / "notutf8.xlsx").string() + " 20000", dir);
    test::writeBytes(dir / "binary.csv",
        std::string("\x7f"
                    "ELF\0\0\1",
            7));
    test::writeBytes(dir / "empty.csv", "\r\n\r\n");
    test::writeBytes(dir / "locked.xlsx", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(504, '\0'));
    test::writeBytes(dir / "broken.xlsx", "PK\x03\x04 and nothing of a zip");
    test::writeBytes(dir / "named.xlsx", "班级,姓名,考号\r\n");
    test::writeBytes(dir / "quote.csv", "a,b\r\n\"c,d\r\ne\r\n");
    test::writeBytes(dir / "utf16.csv",
        "\xFF\xFE"
        "a\0");
    std::ofstream(dir / "huge.csv").close();
    std::filesystem::resize_file(dir / "huge.csv", sheetFileLimit + 1);

    const struct
    {
        const char* file;
        std::size_t row;
        const char* reason;
    } cases[] = {
        { "missing.csv", 0, "不能打开文件" },
        { "binary.csv", 0, "不是表格文件（含有二进制数据）" },
        { "empty.csv", 0, "表格是空的" },
        { "locked.xlsx", 0, "是旧式的 .xls 工作簿或设了密码的工作簿，请另存为不加密的 .xlsx 或 .csv" },
        { "broken.xlsx", 0, "不是表格文件（损坏的 ZIP/XLSX 文件）" },
        { "nosheet.xlsx", 0, "不是表格文件（ZIP 文件，但不是 XLSX 工作簿）" },
        { "altered.xlsx", 0, "工作簿的 xl/worksheets/sheet1.xml 不能读出（文件损坏）" },
        { "named.xlsx", 0, "不是 XLSX 工作簿" },
        { "notutf8.xlsx", 20000, "工作表已损坏（XML 错误: 文字不是 UTF-8 编码）" },
        { "formula.xlsx", 2, "单元格 B2 是公式，请把公式换成它的值" },
        { "tall.xlsx", 200001, "表格超过 200000 行，不能读入" },
        { "quote.csv", 2, "引号没有结束" },
        { "utf16.csv", 0, "是 UTF-16 文本，请另存为 UTF-8 或 GBK 的 CSV" },
        { "huge.csv", 0, "文件大于 32 MB，不能读入" },
    };
    for (const auto& refusal : cases) {
        SCOPED_TRACE(refusal.file);
        const SheetReadResult sheet = readSheet((dir / refusal.file).string());
        ASSERT_TRUE(sheet.error);
        EXPECT_EQ(sheet.error->row, refusal.row);
        EXPECT_EQ(sheet.error->reason, refusal.reason);
        EXPECT_TRUE(sheet.rows.empty());
    }
}

TEST(SpreadsheetTest, exportReadsBackInOpenpyxlInTheDisplayOrderWithTheStatistics)
{
    test::TempDir dir;
    const std::vector<ScoreRecord> records = {
        { gbk("二班            "), gbk("王五            "), "1003          ", gbk("登陆    ") },
        { gbk("一班            "), gbk("张三            "), "1001          ", "85      " },
        { gbk("二班            "), gbk("钱,七           "), "1005          ", "abc     " },
        { gbk("一班            "), gbk("李四            "), "1002          ", "        " },
        { gbk("二班            "), gbk("赵六            "), "1004          ", "59      " },
    };
    const std::vector<std::size_t> order = scoreDisplayOrder(records, ScoreSortOrder::ExamNumber);
    ASSERT_TRUE(writeScoreSheet(dir / "scores.xlsx", records, order));
    ASSERT_TRUE(writeScoreSheet(dir / "scores.csv", records, order));

    EXPECT_EQ(openpyxl("dump " + (dir / "scores.xlsx").string(), dir),
        "sheet 成绩 frozen A2 widths True\n"
        "s:班级\ts:姓名\ts:考号\ts:得分\ts:状态\n"
        "s:一班\ts:张三\ts:1001\tn:85\ts:已交卷\n"
        "s:一班\ts:李四\ts:1002\t-\ts:未考\n"
        "s:二班\ts:王五\ts:1003\t-\ts:考试中\n"
        "s:二班\ts:赵六\ts:1004\tn:59\ts:已交卷\n"
        "s:二班\ts:钱,七\ts:1005\ts:abc\ts:已交卷\n"
        "sheet 统计 frozen A2 widths True\n"
        "s:项目\ts:数值\n"
        "s:已交卷\tn:3\n"
        "s:正在考试\tn:1\n"
        "s:0-9\tn:1\n"
        "s:10-19\tn:0\n"
        "s:20-29\tn:0\n"
        "s:30-39\tn:0\n"
        "s:40-49\tn:0\n"
        "s:50-59\tn:1\n"
        "s:60-69\tn:0\n"
        "s:70-79\tn:0\n"
        "s:80-89\tn:1\n"
        "s:90以上\tn:0\n"
        "s:总分数\tn:144\n"
        "s:最高分\tn:85\n"
        "s:最低分\tn:0\n"
        "s:平均分\tn:48\n"
        "s:及格率(%)\tn:33.33333333333333\n");
    EXPECT_EQ(test::readBytes(dir / "scores.csv"),
        "\xEF\xBB\xBF"
        "班级,姓名,考号,得分,状态\r\n"
        "一班,张三,1001,85,已交卷\r\n"
        "一班,李四,1002,,未考\r\n"
        "二班,王五,1003,,考试中\r\n"
        "二班,赵六,1004,59,已交卷\r\n"
        "二班,\"钱,七\",1005,abc,已交卷\r\n");
}

// The item table as XLSX: the figures the text shows, as numbers; undefined ones left empty.
TEST(SpreadsheetTest, itemStatisticsXlsxHoldsTheTableAsNumbers)
{
    test::TempDir dir;
    ItemStatistics statistics;
    statistics.records = 3;
    statistics.questions = { { 3, 2, 1, 2.0 / 3, 0.5, 0.86602 }, { 0, 0, 0, {}, {}, {} } };
    statistics.commonQuestions = 1;
    ASSERT_TRUE(writeItemStatisticsXlsx(dir / "items.xlsx", statistics));
    EXPECT_EQ(openpyxl("dump " + (dir / "items.xlsx").string(), dir),
        "sheet 试题分析 frozen A2 widths True\n"
        "s:question\ts:candidates\ts:right\ts:wrong\ts:facility\ts:discrimination\ts:point_biserial\n"
        "n:1\tn:3\tn:2\tn:1\tn:0.667\tn:0.5\tn:0.866\n"
        "n:2\tn:0\tn:0\tn:0\t-\t-\t-\n"
        "s:KR-20\t-\tn:1\t-\t-\t-\t-\n");
}

} // namespace
} // namespace olv
