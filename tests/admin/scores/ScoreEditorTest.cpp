#include "admin/scores/ScoreEditor.h"

#include "admin/scores/FakeScoreEditorView.h"
#include "admin/scores/ProposedExamNumber.h"
#include "common/ScoreDatabase.h"
#include "support/ScriptedPrompter.h"
#include "support/StoredScores.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

using test::gbk;
using test::readBytes;
using test::record;
using test::stored;
using Strings = std::vector<std::string>;

class ScoreEditorTest : public ::testing::Test
{
protected:
    void load(const std::vector<ScoreRecord>& records, std::string_view extraLines = {})
    {
        test::writeBytes(path, stored(records) + std::string(extraLines));
        editor.load();
    }

    Strings examNumbers() const
    {
        Strings numbers;
        for (const EditedRecord& edited : editor.records())
            numbers.push_back(edited.record.examNumber);
        return numbers;
    }

    test::TempDir dir;
    std::filesystem::path path = dir / "cj.kcj";
    test::ScriptedPrompter prompter;
    test::FakeScoreEditorView view;
    ScoreEditor editor { view, prompter, path };
};

TEST_F(ScoreEditorTest, RefusedLinesAreReportedByNumberAndDroppedAtTheNextSave)
{
    const ScoreRecord first = record("一班", "张三", "1001");
    load({ first }, swapLineBytePairs(gbk("一班*张三.1002")) + "\r\n" + std::string(200, 'x') + "\r\n");

    const std::string name = path.string();
    EXPECT_EQ(prompter.texts(),
        (Strings { "成绩库文件" + name + "第2条记录数据错误:格式不对,放弃此条记录",
            "成绩库文件" + name + "第3条记录数据错误:内容太长,放弃此条记录" }));
    EXPECT_EQ(view.path, name);
    EXPECT_EQ(view.current, 1u);
    ASSERT_EQ(view.lines.size(), 2u);
    EXPECT_EQ(view.lines[0].text,
        gbk("班级") + std::string(13, ' ') + gbk("姓名") + std::string(13, ' ') + gbk("考号") + std::string(11, ' ')
            + gbk("得分") + std::string(5, ' '));
    EXPECT_EQ(
        view.lines[1].text, formatScoreLine(first).replace(16, 1, " ").replace(33, 1, " ").replace(48, 1, " ") + " ");

    editor.save();
    EXPECT_EQ(readBytes(path), stored({ first }));
    EXPECT_EQ(prompter.texts().size(), 2u); // nothing carried over, nothing more to say
    EXPECT_EQ(view.progressAdvanced, 1u);
    EXPECT_FALSE(editor.modified());
}

TEST_F(ScoreEditorTest, AfterTenRefusedLinesTheRestShareOneMessage)
{
    // A question bank opened by mistake: not one line is a record.
    std::string bankText;
    for (int line = 0; line < 14; ++line)
        bankText += "question " + std::to_string(line) + "\r\n";
    load({}, bankText);
    const std::string file = "成绩库文件" + path.string();
    ASSERT_EQ(prompter.texts().size(), 11u);
    EXPECT_EQ(prompter.texts()[9], file + "第10条记录数据错误:格式不对,放弃此条记录");
    EXPECT_EQ(prompter.texts()[10], file + "另有4条记录数据错误,放弃这些记录");
}

TEST_F(ScoreEditorTest, AFileThatCannotBeOpenedClosesTheEditor)
{
    path = dir / "missing" / "cj.kcj";
    ScoreEditor missing(view, prompter, path);
    missing.load();
    EXPECT_EQ(prompter.texts(), Strings { "不能打开成绩库" + path.string() });
    EXPECT_TRUE(view.closed);
}

TEST_F(ScoreEditorTest, RefusedAddsChangeNothing)
{
    // With the 49 bytes of the other fields and separators, a line of 200 bytes.
    const std::string longScore(151, '9');
    const struct
    {
        std::array<std::string, 4> typed;
        std::string message;
        std::size_t current; // after the refusal
        EditorFocus focus;
    } cases[] = {
        { { "一班", "王五", "", "" }, "必须填写考号", 2, EditorFocus::ExamNumberBox },
        { { "二班", "王五", "1001", "" }, "考号1001          已经存在", 1, EditorFocus::ExamNumberBox },
        { { "二班", "王.五", "1003", "" }, "数据中不能含有字符. * -", 2, EditorFocus::Elsewhere },
        { { "二班", "", "1003", longScore }, "记录太长,一条记录不能超过199个字节,请缩短班级、姓名或得分.", 2,
            EditorFocus::Elsewhere },
    };
    test::writeBytes(path, stored({ record("一班", "张三", "1001"), record("一班", "李四", "1002") }));
    for (const auto& c : cases) {
        test::ScriptedPrompter casePrompter;
        test::FakeScoreEditorView caseView;
        ScoreEditor caseEditor(caseView, casePrompter, path);
        caseEditor.load();
        caseEditor.selectLine(2);
        caseView.type({ gbk(c.typed[0]), gbk(c.typed[1]), c.typed[2], c.typed[3] });
        caseEditor.addAtEnd();
        EXPECT_EQ(casePrompter.texts(), Strings { c.message }) << c.message;
        EXPECT_EQ(caseEditor.records().size(), 2u) << c.message;
        EXPECT_EQ(caseView.current, c.current) << c.message;
        EXPECT_EQ(caseView.focus, c.focus) << c.message;
        EXPECT_FALSE(caseEditor.modified()) << c.message;
    }
}

TEST_F(ScoreEditorTest, LongNamesStayWholeAndOnlyAddCutsALongClass)
{
    load({ record("一班", "张三", "1001") });
    const std::string longClass = "九个字的班级名称呀"; // 18 bytes
    const std::string longName = "名字有十个汉字那么长"; // 20 bytes

    view.type({ gbk(longClass), gbk(longName), "1002", "85" });
    editor.addAtEnd();
    EXPECT_EQ(prompter.texts(), Strings { "班级字符太多,已进行了截取." });
    EXPECT_EQ(view.current, 2u);
    EXPECT_EQ(view.boxes, (std::array<std::string, 4> { gbk(longClass), "", "", "" }));

    editor.selectLine(1);
    view.type({ gbk(longClass), gbk(longName), "1003", "" });
    editor.insertAtCurrent();
    EXPECT_EQ(view.current, 1u); // now the inserted record

    editor.selectLine(3);
    view.type({ gbk(longClass), gbk("王五"), "1002", "90" }); // its own exam number is no duplicate
    editor.replaceCurrent();

    editor.selectLine(2);
    view.type({ "", "", "1003", "" }); // another record's number
    editor.replaceCurrent();
    EXPECT_EQ(view.current, 1u);

    editor.fetchCurrent();
    EXPECT_EQ(view.boxes, (std::array<std::string, 4> { gbk(longClass), gbk(longName), "1003", "" }));

    view.type({ gbk("八个字的班级名称"), "x", "123456789012345", "" }); // a class of 16 bytes is whole
    editor.addAtEnd();
    EXPECT_EQ(prompter.texts(),
        (Strings { "班级字符太多,已进行了截取.", "考号1003          已经存在", "考号长度不能超过14位,取左边14位." }));

    editor.save();
    EXPECT_EQ(readBytes(path),
        stored({ record(longClass, longName, "1003"), record("一班", "张三", "1001"),
            record(longClass, "王五", "1002", "90"), record("八个字的班级名称", "x", "12345678901234") }));
    EXPECT_EQ(view.lines[1].text.substr(0, 19), gbk(longClass) + " "); // the column widened
}

TEST_F(ScoreEditorTest, DeletingTheLastAndTheOnlyRecord)
{
    load({ record("一班", "张三", "1001"), record("一班", "李四", "1002") });
    editor.selectLine(2);
    editor.deleteCurrent();
    EXPECT_EQ(view.current, 1u);
    editor.deleteCurrent();
    EXPECT_EQ(view.current, 0u);
    EXPECT_EQ(view.lines.size(), 1u);
    editor.deleteCurrent(); // the header line: nothing to delete
    EXPECT_TRUE(editor.modified());
    editor.save();
    EXPECT_EQ(readBytes(path), "");
}

TEST_F(ScoreEditorTest, AutomaticNumbersFollowTheLargestAfterEachAdd)
{
    load({ record("一班", "张三", "1001"), record("一班", "李四", "x12"), record("一班", "王五", "1005") });
    editor.setAutoNumbering(true);
    EXPECT_FALSE(view.examNumberEnabled);
    EXPECT_EQ(view.boxes[2], "1006");
    view.boxes[1] = gbk("赵六");
    editor.addAtEnd();
    EXPECT_EQ(examNumbers().back(), "1006          ");
    EXPECT_EQ(view.boxes[2], "1007");

    editor.setAutoNumbering(false);
    EXPECT_TRUE(view.examNumberEnabled);
    EXPECT_EQ(view.boxes[2], "1007");
    view.boxes[1] = gbk("钱七");
    editor.addAtEnd();
    EXPECT_EQ(view.boxes[2], ""); // without "自动" the refresh empties it
}

TEST(ProposedExamNumberTest, LargestNumberPlusOneSkippingWhatIsNoNumber)
{
    const std::vector<std::pair<Strings, std::string>> cases = {
        { {}, "1" },
        { { "abc", "12a" }, "1" },
        { { "1001          ", "1005          " }, "1006" },
        { { "9223372036854775806" }, "9223372036854775807" },
        { { "9223372036854775807", "7" }, "8" }, // nothing may follow the largest 64-bit number
        { { "99999999999999999999", "7" }, "8" },
    };
    for (const auto& [numbers, proposal] : cases) {
        std::vector<ScoreRecord> records;
        for (const std::string& number : numbers)
            records.push_back({ "", "", number, "" });
        EXPECT_EQ(proposedExamNumber(records), proposal) << numbers.size();
    }
}

// The walk from box to box and the add at the end are AdminEndToEndTest's roster typed with
// the keyboard alone; a refused add takes the focus as RefusedAddsChangeNothing shows.
TEST_F(ScoreEditorTest, WithAutomaticNumbersEnterSkipsTheExamNumberAndElsewhereDoesNothing)
{
    load({});
    editor.setAutoNumbering(true);
    editor.enterPressed(EditorFocus::NameBox);
    EXPECT_EQ(view.focus, EditorFocus::ScoreBox);
    view.focus = EditorFocus::Elsewhere;
    editor.enterPressed(EditorFocus::Elsewhere);
    EXPECT_EQ(view.focus, EditorFocus::Elsewhere);
    EXPECT_TRUE(editor.records().empty());
}

} // namespace
} // namespace olv
