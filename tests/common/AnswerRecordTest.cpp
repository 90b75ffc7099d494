#include "common/AnswerRecord.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace olv {
namespace {

using test::TempDir;
using test::writeBytes;

class AnswerRecordTest : public ::testing::Test
{
protected:
    std::filesystem::path path() const { return m_dir / "daan.txt"; }

    File openFile(OpenMode mode) const { return File::open(path(), mode).value(); }

    std::optional<std::string> find(std::string_view examNumber) const
    {
        File file = openFile(OpenMode::ReadOnly);
        return findAnswerRecord(file, examNumber);
    }

    TempDir m_dir;
};

// A bank of 5 questions; the paper holds questions 2 (answered right) and 4 (unanswered).
std::string exampleRecord(const std::string& score, const std::string& examNumber)
{
    return formatAnswerRecord(score, examNumber, 5, { 2, 4 }, { "a", "" }, { "A", "BC" });
}

TEST_F(AnswerRecordTest, ExampleRecordEndsWithCrCrLfOnDiskAndOneCrWhenRead)
{
    const std::string text = exampleRecord("3", "1001          ");
    EXPECT_EQ(text, "3  1001          *R*E*");
    // The bytes an append puts on disk are checked in WholeFileWriteFaultTest (SharedAppendFaultTest).
    writeBytes(path(), text + "\r\r\n");

    std::optional<std::string> found = find("1001");
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, "3  1001          *R*E*\r");
    EXPECT_EQ(parseAnswerRecord(*found), (AnswerRecord { "3  ", "1001          ", "*R*E*" }));
}

TEST_F(AnswerRecordTest, FormatPadsFieldsAndMarksEveryBankQuestion)
{
    struct Case
    {
        const char* name;
        std::string record;
        std::string expected;
    };
    const Case cases[] = {
        { "fields padded", formatAnswerRecord("100", "1001", 3, { 3 }, { "ab" }, { "AB" }), "1001001          **R" },
        { "partly right is wrong", formatAnswerRecord("0", "7", 2, { 1, 2 }, { "AC", "b" }, { "ABC", "B" }),
            "0  7             ER" },
        { "bank numbers outside the bank ignored",
            formatAnswerRecord("5", "8", 2, { 0, 3, -1, 2 }, { "A", "A", "A", "A" }, { "A", "A", "A", "A" }),
            "5  8             *R" },
        { "missing answers are unanswered", formatAnswerRecord("1", "9", 3, { 1, 2, 3 }, { "A" }, { "A", "B", "C" }),
            "1  9             REE" },
        { "a question twice: its first place", formatAnswerRecord("2", "9", 1, { 1, 1 }, { "A", "B" }, { "A", "A" }),
            "2  9             R" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.record, c.expected) << c.name;
}

TEST_F(AnswerRecordTest, FindTakesTheEarlierRecordAndOnlyWholeExamNumbers)
{
    std::string sheet;
    for (const std::string& record : { exampleRecord("9", "1002"), exampleRecord("3", "1001"),
             exampleRecord("4", "1001"), std::string("3  1003") }) // the last cut short in its exam number
        sheet += record + "\r\r\n";
    writeBytes(path(), sheet);

    EXPECT_EQ(find("1001").value_or("").substr(0, 3), "3  ");
    for (const char* missing : { "100", "10011", "1003", "1001          5" })
        EXPECT_FALSE(find(missing)) << missing;
}

TEST_F(AnswerRecordTest, ShortOrDamagedLinesParseToWhatTheyHold)
{
    const std::pair<std::string, AnswerRecord> cases[] = {
        { "", { "", "", "" } }, { "8", { "8", "", "" } }, { "85 1001", { "85 ", "1001", "" } },
        { "85 1001          \r", { "85 ", "1001          ", "" } },
        { "85 1001          RE", { "85 ", "1001          ", "RE" } }, // without its CR
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(parseAnswerRecord(line), expected) << "'" << line << "'";
}

} // namespace
} // namespace olv
