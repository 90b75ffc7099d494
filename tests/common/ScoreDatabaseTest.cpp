#include "common/ScoreDatabase.h"

#include "common/ScoreRecord.h"
#include "common/TextFields.h"
#include "support/FaultCases.h"
#include "support/LockWait.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace olv {
namespace {

using test::gbk;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

// A stored line as the programs write it: plain text transformed, then CR LF.
std::string stored(const std::string& plainLine) { return swapLineBytePairs(plainLine) + "\r\n"; }
std::string stored(const ScoreRecord& record) { return stored(formatScoreLine(record)); }

ScoreRecord padded(const ScoreRecord& r)
{
    return { padRight(r.schoolClass, 16), padRight(r.name, 16), padRight(r.examNumber, 14), padRight(r.scoreField, 8) };
}

const ScoreRecord li { "1", "Li", "1001", "85" };
const ScoreRecord wang { "1", "Wang", "1002", blankScoreField() };
const ScoreRecord zhao { "2", "Zhao", "1003", "" };

class ScoreDatabaseTest : public ::testing::Test
{
protected:
    std::filesystem::path path() const { return m_dir / "cj.kcj"; }

    File openFile() const { return File::open(path(), OpenMode::ReadWriteCreate).value(); }

    // Finds the line of `examNumber` and rewrites it with `record`; returns its stored length.
    std::size_t rewrite(const std::string& examNumber, const ScoreRecord& record) const
    {
        File file = openFile();
        std::optional<FoundScoreRecord> found = findScoreRecord(file, examNumber, ScoreMatch::Padded);
        EXPECT_TRUE(found && rewriteScoreRecord(file, *found, record)) << examNumber;
        return found ? found->storedLength : 0;
    }

    TempDir m_dir;
};

TEST_F(ScoreDatabaseTest, FindsTheFirstMatchingLineAndStopsAfterIt)
{
    const ScoreRecord liAgain { "3", "Li", "1001", "90" };
    writeBytes(path(), stored(wang) + stored(li) + stored(liAgain));
    File file = openFile();
    for (ScoreMatch match : { ScoreMatch::Padded, ScoreMatch::SpaceFree }) {
        std::optional<FoundScoreRecord> found = findScoreRecord(file, "1001", match);
        ASSERT_TRUE(found);
        EXPECT_EQ(found->record, padded(li));
        EXPECT_EQ(found->storedLength, 57u);
        EXPECT_EQ(found->lineStart, 59);
        EXPECT_EQ(found->lineEnd, 118);
        EXPECT_EQ(file.position(), 118);
    }
}

TEST_F(ScoreDatabaseTest, PaddedAndSpaceFreeMatchingDiffer)
{
    // A hand-made line whose exam number is not filled out, one with a space inside, and one
    // without "." and so without an exam number.
    writeBytes(path(),
        stored(std::string("c*n.1001-85")) + stored(formatScoreLine({ "c", "n", "10 02", "" }))
            + stored(std::string("c*n-85")));
    File file = openFile();
    struct Case
    {
        std::string input;
        ScoreMatch match;
        bool found;
    };
    const Case cases[] = {
        { "1001", ScoreMatch::Padded, false },
        { " 1 0 01 ", ScoreMatch::SpaceFree, true },
        { "10 02", ScoreMatch::Padded, true },
        { "1002", ScoreMatch::Padded, false },
        { "1002", ScoreMatch::SpaceFree, true },
        { "", ScoreMatch::SpaceFree, false },
        { "   ", ScoreMatch::Padded, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(findScoreRecord(file, c.input, c.match).has_value(), c.found) << "'" << c.input << "'";
}

TEST_F(ScoreDatabaseTest, OverlongLineIsSkippedAndTheNextOneFound)
{
    const std::string tooLong = "c*n.1001-" + std::string(241, '9');
    ASSERT_EQ(tooLong.size(), 250u);
    const std::string longest = "c*n.1001-" + std::string(190, '7');
    ASSERT_EQ(longest.size(), 199u);
    writeBytes(path(), stored(tooLong) + stored(longest) + stored(li));
    File file = openFile();
    std::optional<FoundScoreRecord> found = findScoreRecord(file, "1001", ScoreMatch::SpaceFree);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->storedLength, 199u);
    EXPECT_EQ(found->lineStart, 252);
}

TEST_F(ScoreDatabaseTest, ARewriteReplacesTheFoundLineAndKeepsEveryOtherLine)
{
    // A 70-byte line as the editor writes it for a long name (a field is never cut to its width),
    // between lines of other shapes.
    const ScoreRecord longName { "1", "AVeryLongNameOfTwentyNineByte", "1002", blankScoreField() };
    const ScoreRecord shortName { "1", "Short", "1002", "77" };
    const std::string before = stored(li) + stored(std::string("odd line")) + "\x01\x02\n";
    const std::string after = stored(zhao) + "no terminator";
    // 188 bytes with an unpadded name and score; filled out with the login mark it would be 211.
    const std::string longClass = std::string(168, 'c') + gbk("一");
    const std::string fixedWidth = std::string(16, 'c') + "*n               .1001          -" + loginMark();
    const struct
    {
        const char* name;
        std::string file;
        ScoreRecord record;
        std::size_t storedLength;
        std::string expected;
    } cases[] = {
        { "same length, in place", stored(li) + stored(wang) + stored(zhao), { "1", "Wang", "1002", loginMark() }, 57,
            stored(li) + stored(ScoreRecord { "1", "Wang", "1002", gbk("登陆") }) + stored(zhao) },
        { "shorter", before + stored(longName) + after, shortName, 70, before + stored(shortName) + after },
        { "and back to the longer line", before + stored(shortName) + after, longName, 57,
            before + stored(longName) + after },
        { "line ended by LF alone", swapLineBytePairs(formatScoreLine(wang)) + "\n" + stored(zhao),
            { "1", "Wang", "1002", "60" }, 57, stored(ScoreRecord { "1", "Wang", "1002", "60" }) + stored(zhao) },
        { "too long grown: the fixed-width form", stored(longClass + "*n.1001          -") + stored(zhao),
            { longClass, "n", "1001", loginMark() }, 188, stored(fixedWidth) + stored(zhao) },
    };
    for (const auto& c : cases) {
        writeBytes(path(), c.file);
        EXPECT_EQ(rewrite(c.record.examNumber, c.record), c.storedLength) << c.name;
        EXPECT_EQ(readBytes(path()), c.expected) << c.name;
    }
    // A class cut after a lead byte would split its character: the whole character goes.
    EXPECT_EQ(formatFixedWidthScoreLine({ std::string(15, 'c') + gbk("一"), "n", "1", "" }).substr(0, 17),
        std::string(15, 'c') + " *");
}

// A retake of a line whose score the editor stored longer than 8 bytes shortens it: a write that
// fails anywhere leaves the old file whole, never the candidates after it cut.
TEST_F(ScoreDatabaseTest, ARewriteOfAnotherLengthIsTheOldOrTheNewFileWhateverFails)
{
    const ScoreRecord longScore { "1", "Wang", "1002", "123456789" };
    const ScoreRecord retake { "1", "Wang", "1002", blankScoreField() };
    const std::string roster = stored(li) + stored(longScore) + stored(zhao);
    test::expectReplacingWriteSurvivesFaults(path(), roster, stored(li) + stored(retake) + stored(zhao), [&] {
        std::optional<File> file = File::open(path(), OpenMode::ReadWriteExisting);
        std::optional<FoundScoreRecord> found
            = file ? findScoreRecord(*file, "1002", ScoreMatch::SpaceFree) : std::nullopt;
        return found && rewriteScoreRecord(*file, *found, retake);
    });
}

TEST_F(ScoreDatabaseTest, WholeFileIsWrittenAndReadBackLineByLine)
{
    writeBytes(path(), "old content that is longer than the new one, to be truncated away..............");
    int progress = 0;
    ASSERT_EQ(writeScoreDatabase(path(), { li, wang }, [&] { ++progress; }), FileResult::Done);
    EXPECT_EQ(progress, 2);
    EXPECT_EQ(readBytes(path()), stored(li) + stored(wang));

    TextLines lines = readScoreLines(path(), OpenMode::ReadWriteExisting);
    ASSERT_EQ(lines.result, FileResult::Done);
    EXPECT_EQ(lines.lines,
        (std::vector<std::string> {
            swapLineBytePairs(formatScoreLine(li)), swapLineBytePairs(formatScoreLine(wang)) }));
}

TEST_F(ScoreDatabaseTest, OpensAreExclusive)
{
    writeBytes(path(), stored(li));
    File holder = openFile();
    test::LockWaitBudget impatient(std::chrono::milliseconds(0));
    EXPECT_EQ(writeScoreDatabase(path(), { wang }), FileResult::CannotOpen);
    EXPECT_EQ(readScoreLines(path(), OpenMode::ReadOnly).result, FileResult::CannotOpen);
    EXPECT_EQ(readBytes(path()), stored(li));
    EXPECT_EQ(readScoreLines(m_dir / "missing.kcj", OpenMode::ReadWriteExisting).result, FileResult::CannotOpen);
}

TEST_F(ScoreDatabaseTest, AdminDecodingChecksLengthThenFormat)
{
    const std::string longest = "c*n.1001-" + std::string(190, '7');
    DecodedScoreLine valid = decodeScoreLineAdminRule(swapLineBytePairs(longest));
    EXPECT_EQ(valid.status, ScoreLineStatus::Valid);
    EXPECT_EQ(valid.record, (ScoreRecord { "c", "n", "1001", std::string(190, '7') }));
    EXPECT_EQ(decodeScoreLineAdminRule(swapLineBytePairs(longest + "7")).status, ScoreLineStatus::TooLong);
    EXPECT_EQ(decodeScoreLineAdminRule("*.n-").status, ScoreLineStatus::BadFormat); // not undone: ".*-n"
}

TEST(ScoreRecordTest, RecordOfTwoCharacterClassAndNameIs57Bytes)
{
    const ScoreRecord record { gbk("一班"), gbk("张三"), "1001", blankScoreField() };
    const std::string plain = formatScoreLine(record);
    const std::string expectedPlain = "\xD2\xBB\xB0\xE0" + std::string(12, ' ') + "*" + "\xD5\xC5\xC8\xFD"
        + std::string(12, ' ') + "." + "1001" + std::string(10, ' ') + "-" + std::string(8, ' ');
    ASSERT_EQ(plain, expectedPlain);
    ASSERT_EQ(plain.size(), 57u);

    const std::string stored = swapLineBytePairs(plain);
    const std::string expectedStored = "\xBB\xD2\xE0\xB0" + std::string(12, ' ') + "\xD5*\xC8\xC5 \xFD"
        + std::string(10, ' ') + ". 0110" + std::string(10, ' ') + " -" + std::string(7, ' ');
    EXPECT_EQ(stored, expectedStored); // the odd last byte stays
    EXPECT_EQ(swapLineBytePairs(stored), plain);
}

struct SplitCase
{
    std::string line;
    ScoreRecord client;
    std::optional<ScoreRecord> admin;
};

TEST(ScoreRecordTest, SplittingRulesOnWellFormedAndOddLines)
{
    const SplitCase cases[] = {
        { "c*n.1001-85", { "c", "n", "1001", "85" }, ScoreRecord { "c", "n", "1001", "85" } },
        { "c *n .1001 -85 ", { "c ", "n ", "1001 ", "85 " }, ScoreRecord { "c ", "n ", "1001 ", "85 " } },
        { "c*n.1001", { "c", "n", "1001", "" }, std::nullopt },
        { "c*n1001-85", { "c", "", "", "85" }, std::nullopt },
        { "cn.1001-85", { "", "", "1001", "85" }, std::nullopt },
        { "", { "", "", "", "" }, std::nullopt },
        { "*.-", { "", "", "", "" }, ScoreRecord { "", "", "", "" } },
        // Separators out of order: the admin rule refuses, the client rule keeps what it can.
        { "c.n*1001-85", { "c.n", "", "n*1001", "85" }, std::nullopt },
        // Repeated separators: the client takes last "*", last "." and last "-" where the rule says so.
        { "a*b*c.d.1001-x-85", { "a", "c", "1001", "85" }, ScoreRecord { "a", "b*c", "d.1001", "x-85" } },
        { "c*n.10-01.2002-9", { "c", "n", "2002", "9" }, ScoreRecord { "c", "n", "10", "01.2002-9" } },
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(splitScoreLineClientRule(c.line), c.client) << "'" << c.line << "'";
        EXPECT_EQ(splitScoreLineAdminRule(c.line), c.admin) << "'" << c.line << "'";
    }
}

} // namespace
} // namespace olv
