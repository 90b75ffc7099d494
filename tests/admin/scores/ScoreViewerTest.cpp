#include "admin/scores/ScoreViewer.h"

#include "admin/FakeListView.h"
#include "common/TextFields.h"
#include "platform/File.h"
#include "support/ChildProcess.h"
#include "support/ScriptedPrompter.h"
#include "support/StoredScores.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

using test::gbk;
using test::readBytes;
using test::writeBytes;

using test::stored;

// A hand-made line as the exam machines store it.
std::string stored(const std::string& plainLine) { return swapLineBytePairs(plainLine) + "\r\n"; }

const ScoreRecord zhang { gbk("一班"), gbk("张三"), "1001", "85" };
const ScoreRecord li { gbk("一班"), gbk("李四"), "1002", loginMark() };
const ScoreRecord wang { gbk("二班"), gbk("王五"), "1003", blankScoreField() };
const ScoreRecord zhao { gbk("二班"), gbk("赵六"), "1004", "59" };

const std::string damagedFileWarning
    = "成绩库可能被人修改过\n请查看成绩库所在文件夹中的check.txt文件.\n其中也许会有一些有用数据";
const std::string tamperWarning = "成绩库可能被人修改过\n请尽快查看成绩库所在文件夹中的check.txt文件\n"
                                  "为防止此文件再次被人为破坏\n请速速查看此文件\n其中存放有先前屏幕上显示的记录";
const std::string fewerRecords = "最新记录数比原有记录少,可能成绩库已被人修改过";

class ScoreViewerTest : public ::testing::Test
{
protected:
    std::filesystem::path path() const { return m_dir / "cj.kcj"; }
    std::filesystem::path checkFile() const { return m_dir / "check.txt"; }
    std::string lineMessage(int number, const std::string& fault) const
    {
        return "成绩库文件" + path().string() + "第" + std::to_string(number) + "条记录数据错误:" + fault
            + ",不显示此条记录";
    }
    void load(const std::string& bytes)
    {
        writeBytes(path(), bytes);
        m_viewer.load();
    }
    void select(std::size_t row) { m_viewer.rememberSelection(row); }
    // The record lines the list shows, without header and statistics.
    std::size_t recordLines() const { return m_view.lines.size() - 5; }

    test::TempDir m_dir;
    test::ScriptedPrompter m_prompter;
    test::FakeListView m_view;
    ScoreViewer m_viewer { path(), m_prompter, m_view };
};

TEST_F(ScoreViewerTest, RefreshAfterTwoRecordsWereRemovedWarnsAndAppendsBothSectionsToTheCheckFile)
{
    load(stored(zhang) + stored(li) + stored(wang) + stored(zhao));
    const std::vector<std::string> shownBefore = m_view.lines;
    writeBytes(checkFile(), "earlier\r\n");
    writeBytes(path(), stored(zhang) + stored(zhao));
    m_viewer.refresh();

    EXPECT_EQ(m_prompter.texts(), (std::vector<std::string> { fewerRecords, tamperWarning }));
    std::string expected = "earlier\r\n\r\n" + gbk("此前屏幕显示的记录为:\r\n");
    for (std::size_t i = 0; i < 5; ++i)
        expected += shownBefore[i] + "\r\n";
    expected += gbk("现在成绩库中的记录为:\r\n") + formatScoreLine(zhang) + "\r\n" + formatScoreLine(zhao) + "\r\n"
        + "----------\r\n";
    EXPECT_EQ(readBytes(checkFile()), expected);
    EXPECT_EQ(recordLines(), 2u);
}

TEST_F(ScoreViewerTest, RefreshAfterRecordsWereOnlyAddedOrHiddenDoesNotWarn)
{
    load(stored(zhang) + stored(li));
    writeBytes(path(), stored(zhang) + stored(li) + stored(wang));
    m_viewer.refresh();
    EXPECT_EQ(recordLines(), 3u);
    select(2);
    m_viewer.hideSelected();
    EXPECT_EQ(recordLines(), 2u);
    EXPECT_EQ(m_view.lines[2].substr(0, 4), gbk("二班"));
    m_viewer.refresh();
    EXPECT_EQ(recordLines(), 3u);
    EXPECT_TRUE(m_prompter.texts().empty());
    EXPECT_FALSE(std::filesystem::exists(checkFile()));
}

TEST_F(ScoreViewerTest, RefreshKeepsTheChosenOrder)
{
    load(stored({ zhao, zhang }));
    const std::vector<std::string> fileOrder = m_view.lines;
    m_viewer.sortBy(ScoreSortOrder::Score);
    const std::vector<std::string> sorted = m_view.lines;
    EXPECT_NE(sorted, fileOrder);
    m_viewer.refresh();
    EXPECT_EQ(m_view.lines, sorted);
}

TEST_F(ScoreViewerTest, DamagedLinesAreReportedByNumberLeftOutAndDumped)
{
    const std::string noStar = "一班 张三.1005-70";
    const std::string tooLong = formatScoreLine({ "1", std::string(200, 'x'), "1006", "" });
    // What an earlier refresh left there stays in front of the new record.
    const std::string earlier = "an earlier dump, kept\r\n";
    writeBytes(checkFile(), earlier);
    load(stored(zhang) + stored(gbk(noStar)) + stored(tooLong) + stored(zhao));

    EXPECT_EQ(m_prompter.texts(),
        (std::vector<std::string> { lineMessage(2, "格式不对"), lineMessage(3, "内容太长"), damagedFileWarning }));
    EXPECT_EQ(readBytes(checkFile()),
        earlier + formatScoreLine(zhang) + "\r\n" + gbk(noStar) + "\r\n" + tooLong + "\r\n" + formatScoreLine(zhao)
            + "\r\n" + "----------\r\n");
    EXPECT_EQ(recordLines(), 2u);

    // A refresh words the malformed line its own way and appends to the dump.
    const std::string dumped = readBytes(checkFile());
    m_viewer.refresh();
    const std::vector<std::string> texts = m_prompter.texts();
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 3, texts.end()),
        (std::vector<std::string> { lineMessage(2, "格试不正确"), lineMessage(3, "内容太长"), tamperWarning }));
    EXPECT_EQ(readBytes(checkFile()).substr(0, dumped.size()), dumped);
}

TEST_F(ScoreViewerTest, AfterTenDamagedLinesTheRestShareOneMessage)
{
    std::string bytes = stored(zhang);
    for (int i = 0; i < 13; ++i)
        bytes += stored(std::string("no separators"));
    load(bytes);
    const std::vector<std::string> texts = m_prompter.texts();
    ASSERT_EQ(texts.size(), 12u);
    EXPECT_EQ(texts[9], lineMessage(11, "格式不对"));
    EXPECT_EQ(texts[10], "成绩库文件" + path().string() + "另有3条记录数据错误,不显示这些记录");
    EXPECT_EQ(texts[11], damagedFileWarning);
    EXPECT_EQ(recordLines(), 1u);
}

TEST_F(ScoreViewerTest, RetakeAsksForAHandedInScoreAndBlanksTheFieldInPlace)
{
    const std::string before = stored(zhang) + stored(li) + stored(wang);
    load(before);
    select(1);
    m_prompter.answerConfirms({ false, true });
    m_viewer.retakeSelected();
    EXPECT_EQ(readBytes(path()), before);
    m_viewer.retakeSelected();
    const auto question = test::confirmPrompt(
        "一班  张三  1001\n得分是:85\n点击确定将清除其考试成绩重考.清除后将不能恢复.", "选中记录重考");
    EXPECT_EQ(m_prompter.prompts(), (std::vector<test::ScriptedPrompter::Prompt> { question, question }));
    EXPECT_EQ(readBytes(path()),
        stored(ScoreRecord { zhang.schoolClass, zhang.name, "1001", "" }) + stored(li) + stored(wang));

    // Logged in: reset without asking.
    select(2);
    m_viewer.retakeSelected();
    EXPECT_EQ(m_prompter.prompts().size(), 2u);
    EXPECT_EQ(readBytes(path()),
        stored(ScoreRecord { zhang.schoolClass, zhang.name, "1001", "" })
            + stored(ScoreRecord { li.schoolClass, li.name, "1002", "" }) + stored(wang));
    EXPECT_EQ(m_view.lines[2].substr(49), std::string(9, ' '));
}

TEST_F(ScoreViewerTest, RetakeBesideALineOfAnotherWidthOrADamagedOneKeepsEveryOtherLine)
{
    // The editor stores a long name whole; the line after it must not be damaged. The exam
    // client would read "1004" as the damaged line's exam number; the retake finds none.
    const ScoreRecord longName { "1", "AVeryLongNameOfTwentyNineByte", "1002", "77" };
    const std::string damaged = stored(gbk("二班*坏.1004"));
    const struct
    {
        std::string middle;
        std::string retaken;
        std::size_t shown;
    } cases[] = {
        { stored(longName), stored(ScoreRecord { "1", longName.name, "1002", "" }) + stored(zhao), 3 },
        { damaged, damaged + stored(ScoreRecord { zhao.schoolClass, zhao.name, "1004", "" }), 2 },
    };
    for (const auto& c : cases) {
        load(stored(zhang) + c.middle + stored(zhao));
        select(2);
        m_prompter.answerConfirm(true);
        m_viewer.retakeSelected();
        EXPECT_EQ(readBytes(path()), stored(zhang) + c.retaken);
        EXPECT_EQ(recordLines(), c.shown);
    }
}

TEST_F(ScoreViewerTest, RetakeWhileAnExamMachineHoldsTheFileChangesNothingAndCloses)
{
    const std::string before = stored(zhang) + stored(li);
    load(before);
    test::ChildProcess examMachine([this](test::ChildProcess::Link& link) {
        std::optional<File> held = File::open(path(), OpenMode::ReadWriteExisting, Sharing::Exclusive);
        if (!held)
            return 1;
        link.ready();
        link.waitForGo();
        return 0;
    });
    ASSERT_TRUE(examMachine.waitUntilReady());
    select(2);
    m_viewer.retakeSelected();
    examMachine.go();
    EXPECT_EQ(examMachine.wait(), 0);
    EXPECT_EQ(m_prompter.texts(), (std::vector<std::string> { "不能打开文件成绩库文件" }));
    EXPECT_TRUE(m_view.closed);
    EXPECT_EQ(readBytes(path()), before);
}

TEST_F(ScoreViewerTest, SelectionMustBeARecordLine)
{
    load(stored(zhang) + stored(li));
    // Nothing selected, the header, the first line after the records.
    const std::optional<std::size_t> rows[] = { std::nullopt, 0, 3 };
    for (const std::optional<std::size_t>& row : rows) {
        m_viewer.rememberSelection(row);
        m_viewer.hideSelected();
        m_viewer.retakeSelected();
    }
    const std::vector<std::string> texts = m_prompter.texts();
    ASSERT_EQ(texts.size(), 6u);
    for (std::size_t i = 0; i < texts.size(); i += 2) {
        EXPECT_EQ(texts[i], "请选择要删除的考生记录");
        EXPECT_EQ(texts[i + 1], "请选择要需要重新考试的考生记录");
    }
    EXPECT_EQ(recordLines(), 2u);
}

TEST_F(ScoreViewerTest, TheViewerClosesWhenThereIsNothingToShow)
{
    struct Case
    {
        std::optional<std::string> bytes; // nothing: no file
        std::string message;
    };
    const Case cases[] = {
        { std::nullopt,
            "不能打开成绩库" + path().string() + "\n\n    可能是文件中还没有考生成绩\n或者不能对文件进行读写操作." },
        { "", "没有记录" },
    };
    for (const Case& c : cases) {
        test::ScriptedPrompter prompter;
        test::FakeListView view;
        std::filesystem::remove(path());
        if (c.bytes)
            writeBytes(path(), *c.bytes);
        ScoreViewer viewer(path(), prompter, view);
        viewer.load();
        EXPECT_TRUE(viewer.isClosed() && view.closed);
        EXPECT_EQ(prompter.texts(), (std::vector<std::string> { c.message }));
    }

    // Hiding the last record closes it too; the remembered selection stays on its row.
    load(stored(zhang) + stored(li));
    select(1);
    m_viewer.hideSelected();
    EXPECT_EQ(m_view.selected, 1u);
    m_viewer.hideSelected();
    EXPECT_TRUE(m_view.closed);
    EXPECT_EQ(m_prompter.texts(), (std::vector<std::string> { "没有记录" }));
}

} // namespace
} // namespace olv
