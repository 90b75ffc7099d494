#include "common/ExamSettingsFile.h"

#include "common/CNumbers.h"
#include "support/TestFiles.h"

#include <cfloat>
#include <climits>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace olv {
namespace {

using test::gbk;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

std::string crLfLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::vector<std::string> defaultLines(const std::string& examMinutes, const std::string& fixedNumber)
{
    return { gbk("澜溪校期末考试"), "WordExcel97", examMinutes, "0", fixedNumber, "50", "10", "5", "1.500000",
        "2.000000", "1.000000", "2", fixedNumber, "0", "1", "0", "1", "1", "0", "WordE97.kst", "cj.kcj",
        gbk("WordExcel97澜溪校期末考试\\daan.txt"), "" };
}

class ExamSettingsFileTest : public ::testing::Test
{
protected:
    // Reads a file of these lines over the administration defaults.
    ExamSettings readLines(const std::vector<std::string>& lines, const std::string& tail = "")
    {
        writeBytes(path(), crLfLines(lines) + tail);
        ExamSettings settings = adminDefaults();
        EXPECT_EQ(readExamSettings(path(), settings), SettingsRead::Read);
        return settings;
    }

    std::filesystem::path path() const { return m_dir / "olvane.dat"; }

    TempDir m_dir;
};

TEST_F(ExamSettingsFileTest, AdminDefaultsAreWrittenLineByLine)
{
    ASSERT_TRUE(writeExamSettings(path(), adminDefaults()));
    EXPECT_EQ(readBytes(path()), crLfLines(defaultLines("50", "1")));
    // The client's defaults are compared whole in WorkspaceCopyCarriesTheExamNumberOnLine24.
}

TEST_F(ExamSettingsFileTest, WriteThenReadGivesTheSameRecord)
{
    ExamSettings written = adminDefaults();
    written.examName = gbk("期中");
    written.examMinutes = -5;
    written.singleChoicePoints = 0.1f; // "0.100000" reads back as the same float
    written.multipleChoicePoints = 2.5f;
    written.drawMode = static_cast<DrawMode>(7);
    written.shuffleQuestions = 1;
    written.reviewMode = 1;
    written.bankFile = gbk("d:\\题库\\a.kst");
    written.operatorPassword = gbk("口令") + "ab";
    written.answerFile = "hand made";
    ASSERT_TRUE(writeExamSettings(path(), written));

    ExamSettings read = clientDefaults();
    ASSERT_EQ(readExamSettings(path(), read), SettingsRead::Read);
    ExamSettings expected = written;
    expected.answerFile = gbk("WordExcel97期中\\daan.txt");
    EXPECT_EQ(read, expected);
}

TEST_F(ExamSettingsFileTest, NumbersAreReadLikeAtoiAndAtofAndLineThirteenWins)
{
    std::vector<std::string> lines = defaultLines("  45 minutes", "4");
    lines[12] = "9x";
    lines[8] = " 1.25abc";
    lines[9] = "1e40"; // beyond float: clamped, not undefined
    lines[13] = "-3";
    lines[14] = "";
    ExamSettings settings = readLines(lines);
    EXPECT_EQ(settings.examMinutes, 45);
    EXPECT_EQ(settings.fixedNumber, 9);
    EXPECT_EQ(settings.singleChoicePoints, 1.25f);
    EXPECT_EQ(settings.multipleChoicePoints, FLT_MAX);
    EXPECT_EQ(settings.shuffleQuestions, -3);
    EXPECT_EQ(settings.shuffleOptions, 0);
}

TEST_F(ExamSettingsFileTest, MissingLinesAtTheEndReadAsEmpty)
{
    std::vector<std::string> lines = defaultLines("50", "1");
    lines.resize(22);
    EXPECT_EQ(readLines(lines).operatorPassword, "");

    ExamSettings expected;
    expected.examName = "Name";
    expected.subject = "Subject";
    EXPECT_EQ(readLines({ "Name" }, "Subject"), expected);
}

TEST_F(ExamSettingsFileTest, WorkspaceCopyCarriesTheExamNumberOnLine24)
{
    ASSERT_TRUE(writeExamSettings(path(), clientDefaults(), "1001          "));
    std::vector<std::string> lines = defaultLines("60", "3");
    lines.push_back("1001          ");
    EXPECT_EQ(readBytes(path()), crLfLines(lines));

    ExamSettings settings = adminDefaults();
    std::string examNumber = "old";
    ASSERT_EQ(readExamSettings(path(), settings, examNumber), SettingsRead::Read);
    EXPECT_EQ(settings, clientDefaults());
    EXPECT_EQ(examNumber, "1001          ");

    ASSERT_TRUE(writeExamSettings(path(), clientDefaults()));
    ASSERT_EQ(readExamSettings(path(), settings, examNumber), SettingsRead::Read);
    EXPECT_EQ(examNumber, "");
}

TEST_F(ExamSettingsFileTest, AnswerFilePathIsDerivedFromSubjectAndExamName)
{
    // Without subject and exam name the folder is "ExaminationTemporary": the olvtool settings-set test.
    std::vector<std::string> lines = defaultLines("50", "1");
    lines[21] = "elsewhere\\daan.txt";
    ExamSettings settings = readLines(lines);
    EXPECT_EQ(settings.answerFile, "elsewhere\\daan.txt"); // as the client keeps it
    deriveAnswerFile(settings);
    EXPECT_EQ(settings.answerFile, gbk("WordExcel97澜溪校期末考试\\daan.txt"));
}

TEST_F(ExamSettingsFileTest, PasswordIsStoredShiftedByOne)
{
    EXPECT_EQ(scramblePassword("\xFF\x7F"), std::string("\x00\x80", 2));
    EXPECT_EQ(unscramblePassword(std::string("\x00\x80", 2)), "\xFF\x7F");

    // The shifted bytes a write stores are checked whole by the olvtool settings-set test.
    std::vector<std::string> lines = defaultLines("50", "1");
    lines[22] = "bc";
    EXPECT_EQ(readLines(lines).operatorPassword, "ab");
}

TEST(CNumbersTest, AtoiFollowsTheCParsingRules)
{
    struct Case
    {
        std::string text;
        int expected;
    };
    const Case cases[] = {
        { " \t\n\v\f\r42", 42 },
        { "+7", 7 },
        { "-0012", -12 },
        { "12abc34", 12 },
        { "", 0 },
        { "- 5", 0 },
        { "2147483647", INT_MAX },
        { "-2147483648", INT_MIN },
        { "2147483648", INT_MAX },
        { "-2147483649", INT_MIN },
        { "99999999999999999999999999", INT_MAX },
    };
    for (const Case& c : cases)
        EXPECT_EQ(cAtoi(c.text), c.expected) << "'" << c.text << "'";
}

TEST(CNumbersTest, AtofFollowsTheCParsingRules)
{
    struct Case
    {
        std::string text;
        double expected;
    };
    const Case cases[] = {
        { "1.500000", 1.5 },
        { "  -2.25e1x", -22.5 },
        { "+.5", 0.5 },
        { "5.", 5.0 },
        { "1e", 1.0 },
        { "1E-2", 0.01 },
        { ".", 0.0 },
        { "", 0.0 },
        { "inf", 0.0 },
        { "1e400", DBL_MAX },
        { "1e99999999999999999999", DBL_MAX },
        { "0.0000000001e-400", 0.0 },
        { "1e-99999999999999999999", 0.0 },
        { "0e99999999999999999999", 0.0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(cAtof(c.text), c.expected) << "'" << c.text << "'";
}

TEST(CNumbersTest, FormatFixedMatchesPrintf)
{
    const double values[] = { 0.0, -0.0, 1.5, 2.0, 0.1f, 1234567.125, -3.0000005, 0.0000005, 1e20, 2.5e-7, FLT_MAX };
    for (double value : values) {
        for (int decimals : { 0, 2, 6 }) {
            char expected[512];
            std::snprintf(expected, sizeof expected, "%.*f", decimals, value);
            EXPECT_EQ(formatFixed(value, decimals), expected) << value << " with " << decimals;
        }
    }
    EXPECT_EQ(formatFixed(1.5), "1.500000");
}

} // namespace
} // namespace olv
