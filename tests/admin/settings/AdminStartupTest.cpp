#include "admin/settings/AdminStartup.h"

#include "common/ExamSettingsFile.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

namespace fs = std::filesystem;
using test::messagePrompt;
using test::operatorPasswordPrompt;
using test::ScriptedPrompter;

const char* const wrongPassword = "你输入的口令不正确,请重新输入";

class AdminStartupTest : public ::testing::Test
{
protected:
    fs::path settingsFile() const { return m_dir / "olvane.dat"; }
    void writeSettingsWithPassword(const std::string& password)
    {
        ExamSettings settings = adminDefaults();
        settings.examMinutes = 75;
        settings.operatorPassword = password;
        ASSERT_TRUE(writeExamSettings(settingsFile(), settings));
    }

    test::TempDir m_dir;
    ScriptedPrompter m_prompter;
};

TEST_F(AdminStartupTest, WithoutFileOrPasswordTheDialogOpensAtOnce)
{
    std::optional<ExamSettings> settings = startAdmin(settingsFile(), m_prompter);
    ASSERT_TRUE(settings);
    EXPECT_EQ(*settings, adminDefaults());
    EXPECT_TRUE(m_prompter.prompts().empty());

    writeSettingsWithPassword("");
    settings = startAdmin(settingsFile(), m_prompter);
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->examMinutes, 75);
    EXPECT_TRUE(m_prompter.prompts().empty());
}

TEST_F(AdminStartupTest, HandEditedAnswerFileIsDerivedAgain)
{
    std::string lines = "Exam\r\nWord\r\n";
    for (int line = 3; line <= 21; ++line)
        lines += "\r\n";
    test::writeBytes(settingsFile(), lines + "elsewhere\\daan.txt\r\n");
    const std::optional<ExamSettings> settings = startAdmin(settingsFile(), m_prompter);
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->answerFile, "WordExam\\daan.txt");
}

TEST_F(AdminStartupTest, FourEntriesAtMost)
{
    writeSettingsWithPassword("jk01");
    for (const char* typed : { "JK01", "jk0", "", "jk011" })
        m_prompter.answerOperatorPassword(typed);
    EXPECT_FALSE(startAdmin(settingsFile(), m_prompter));
    std::vector<ScriptedPrompter::Prompt> expected;
    for (int entry = 0; entry < 4; ++entry)
        expected.insert(expected.end(), { operatorPasswordPrompt(), messagePrompt(wrongPassword) });
    EXPECT_EQ(m_prompter.prompts(), expected);

    m_prompter = ScriptedPrompter();
    for (const char* typed : { "a", "b", "c", "jk01" })
        m_prompter.answerOperatorPassword(typed);
    const std::optional<ExamSettings> settings = startAdmin(settingsFile(), m_prompter);
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->operatorPassword, "jk01");
    EXPECT_EQ(m_prompter.texts(), std::vector<std::string>(3, wrongPassword));
}

TEST_F(AdminStartupTest, QuittingThePromptEndsAtOnceAndWritesNothing)
{
    writeSettingsWithPassword(test::gbk("中文口令"));
    const std::string before = test::readBytes(settingsFile());
    m_prompter.answerOperatorPassword("x");
    m_prompter.answerOperatorPassword(std::nullopt);
    EXPECT_FALSE(startAdmin(settingsFile(), m_prompter));
    EXPECT_EQ(m_prompter.prompts(),
        (std::vector { operatorPasswordPrompt(), messagePrompt(wrongPassword), operatorPasswordPrompt() }));
    EXPECT_EQ(test::readBytes(settingsFile()), before);

    m_prompter = ScriptedPrompter();
    m_prompter.answerOperatorPassword("中文口令");
    EXPECT_TRUE(startAdmin(settingsFile(), m_prompter));
}

} // namespace
} // namespace olv
