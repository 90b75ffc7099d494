#include "admin/settings/SettingsForm.h"

#include "admin/settings/FakeSettingsView.h"
#include "common/ExamSettingsFile.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

namespace fs = std::filesystem;
using test::FakeSettingsView;
using test::gbk;
using test::messagePrompt;
using test::openFilePrompt;
using test::readBytes;
using test::ScriptedPrompter;
using enum SettingsBox;

class SettingsFormTest : public ::testing::Test
{
protected:
    SettingsForm form(ExamSettings settings = startSettings())
    {
        SettingsForm made(m_view, m_prompter, std::move(settings), settingsFile(), "/drive");
        made.refresh();
        return made;
    }
    static ExamSettings startSettings()
    {
        ExamSettings settings = adminDefaults();
        deriveAnswerFile(settings);
        return settings;
    }
    fs::path settingsFile() const { return m_dir / "olvane.dat"; }

    test::TempDir m_dir;
    FakeSettingsView m_view;
    ScriptedPrompter m_prompter;
};

TEST_F(SettingsFormTest, ShowsEveryField)
{
    ExamSettings settings = startSettings();
    settings.singleChoicePoints = 0.1f;
    settings.trueFalsePoints = 1234567.f;
    settings.rosterRequired = 2;
    form(settings);
    const std::array<std::string, settingsBoxCount> shown = { gbk("澜溪校期末考试"), "WordExcel97", "WordE97.kst",
        "cj.kcj", "50", "10", "5", "0.1", "2", "1.23457e+06", "1", "50", "0" };
    EXPECT_EQ(m_view.texts, shown);
    EXPECT_EQ(m_view.flags, (std::array<bool, settingsFlagCount> { false, true, true, true, true, false }));
    EXPECT_EQ(m_view.mode, 2);
    EXPECT_FALSE(m_view.fixedNumberEnabled);

    // The radios switching it later are tried by AdminAccessibilityTest on the real dialog.
    settings.drawMode = DrawMode::FixedNumber;
    form(settings);
    EXPECT_TRUE(m_view.fixedNumberEnabled);
}

TEST_F(SettingsFormTest, RefusedEntriesKeepTheRecordAndTakeTheFocus)
{
    struct Case
    {
        SettingsBox box;
        std::string typed;
        const char* message;
    };
    // A whole number and a number: which texts are refused is NumberTextTest's.
    const Case cases[] = {
        { FixedNumber, "1.5", "请键入一个整数。" },
        { TrueFalsePoints, "abc", "请键入一个数。" },
    };
    for (const Case& c : cases) {
        SettingsForm settings = form();
        m_view[ExamName] = "changed";
        m_view[c.box] = c.typed;
        m_prompter = ScriptedPrompter();
        EXPECT_FALSE(settings.save()) << c.typed;
        EXPECT_EQ(m_prompter.prompts(), (std::vector { messagePrompt(c.message) })) << c.typed;
        EXPECT_EQ(m_view.focused, c.box) << c.typed;
        EXPECT_EQ(settings.settings(), startSettings()) << c.typed;
        EXPECT_FALSE(fs::exists(settingsFile())) << c.typed;
    }
}

// How each box is taken is AdminEndToEndTest's settings file, what is a number NumberTextTest's.
TEST_F(SettingsFormTest, SaveRefusesTimesAtTheEdges)
{
    struct Case
    {
        const char* minutes;
        const char* earliest;
        const char* refusal; // nullptr: saved
    };
    const Case cases[] = {
        { "0", "0", "考试时间设置错,请重新输入" },
        { "10", "-1", "考试时间设置错,请重新输入" },
        { "1", "0", nullptr },
        { "45", "45", nullptr },
        { "45", "46", "最早交卷时间不能大于考试时间。" },
    };
    for (const Case& c : cases) {
        fs::remove(settingsFile());
        SettingsForm settings = form();
        m_view[ExamMinutes] = c.minutes;
        m_view[EarliestHandIn] = c.earliest;
        m_prompter = ScriptedPrompter();
        EXPECT_EQ(settings.save(), c.refusal == nullptr) << c.minutes << " " << c.earliest;
        EXPECT_EQ(fs::exists(settingsFile()), c.refusal == nullptr) << c.minutes << " " << c.earliest;
        if (c.refusal) {
            EXPECT_EQ(m_prompter.prompts(), (std::vector { messagePrompt(c.refusal, "考试设置错误") }));
        }
    }
}

// Every box changed and saved is AdminEndToEndTest's settings file; here the empty name and
// subject, whose answer file falls back to the temporary folder.
TEST_F(SettingsFormTest, SavedFileHoldsTheBoxesByteForByte)
{
    ExamSettings start = startSettings();
    start.operatorPassword = "ab";
    SettingsForm settings = form(start);
    m_view[ExamName] = "";
    m_view[Subject] = "";
    ASSERT_TRUE(settings.save());
    EXPECT_TRUE(m_prompter.prompts().empty());
    EXPECT_EQ(settings.settings().answerFile, "ExaminationTemporary\\daan.txt");
    EXPECT_EQ(readBytes(settingsFile()),
        "\r\n\r\n50\r\n0\r\n1\r\n50\r\n10\r\n5\r\n1.500000\r\n2.000000\r\n1.000000\r\n2\r\n1\r\n0\r\n1\r\n0\r\n"
        "1\r\n1\r\n0\r\nWordE97.kst\r\ncj.kcj\r\nExaminationTemporary\\daan.txt\r\nbc\r\n");
}

TEST_F(SettingsFormTest, FailedWriteIsReportedAndKeepsTheDialogOpen)
{
    SettingsForm settings(m_view, m_prompter, startSettings(), m_dir / "gone" / "olvane.dat", "/drive");
    settings.refresh();
    EXPECT_FALSE(settings.save());
    EXPECT_EQ(m_prompter.prompts(), (std::vector { messagePrompt("数据文件使用错误") }));
}

TEST_F(SettingsFormTest, ToolFilesComeFromBoxesPickersAndTheStart)
{
    SettingsForm settings = form();
    m_view[Subject] = "Other";
    m_view[ScoreFile] = "d:\\scores\\cj.kcj";
    EXPECT_EQ(settings.scoreFileToView(), fs::path("/drive/scores/cj.kcj"));
    EXPECT_EQ(settings.answerFileToAnalyse(), fs::path("WordExcel97澜溪校期末考试/daan.txt"));

    m_prompter.answerOpenFile("/exam/new");
    m_prompter.answerOpenFile("/exam.d/new");
    m_prompter.answerOpenFile("/exam/roster");
    m_prompter.answerOpenFile("/exam/copied");
    m_prompter.answerOpenFile(std::nullopt);
    EXPECT_EQ(settings.bankFileToEdit(), fs::path("/exam/new.kst"));
    EXPECT_EQ(settings.bankFileToEdit(), fs::path("/exam.d/new.kst"));
    EXPECT_EQ(settings.scoreFileToEdit(), fs::path("/exam/roster.kcj"));
    EXPECT_EQ(settings.bankFileToCopy(), fs::path("/exam/copied"));
    EXPECT_EQ(settings.scoreFileToEdit(), std::nullopt);
    const char* bankFilter = "试题库文件(*.kst)|*.kst|所有文件(*.*)|*.*|";
    const char* scoreFilter = "成绩库文件(*.kcj)|*.kcj|所有文件(*.*)|*.*|";
    EXPECT_EQ(m_prompter.prompts(),
        (std::vector { openFilePrompt(bankFilter), openFilePrompt(bankFilter), openFilePrompt(scoreFilter),
            openFilePrompt(bankFilter), openFilePrompt(scoreFilter) }));
}

TEST_F(SettingsFormTest, PickedFilesGoIntoTheBoxes)
{
    SettingsForm settings = form();
    m_view[ExamMinutes] = "77";
    m_prompter.answerOpenFile("/考试/题库.kst");
    m_prompter.answerOpenFile("/考试/cj.cj");
    m_prompter.answerOpenFile(std::nullopt);
    settings.pickBankFile();
    settings.pickScoreFile();
    settings.pickScoreFile();
    EXPECT_EQ(m_view[BankFile], gbk("/考试/题库.kst"));
    EXPECT_EQ(m_view[ScoreFile], gbk("/考试/cj.cj"));
    EXPECT_EQ(m_view[ExamMinutes], "77");
    EXPECT_EQ(m_prompter.prompts()[1], openFilePrompt("成绩库文件(*.kcj)|*.cj;*.kcj|所有文件(*.*)|*.*|"));
}

} // namespace
} // namespace olv
