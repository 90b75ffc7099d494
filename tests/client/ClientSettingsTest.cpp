#include "client/startup/ClientSettings.h"

#include "client/StartupFixture.h"

namespace olv {
namespace {

using test::writeBytes;

std::vector<std::string> crLfSplit(const std::string& bytes)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    return lines;
}

std::string crLfJoin(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

class ClientSettingsTest : public test::StartupFixture
{
protected:
    ClientSettingsTest()
    {
        examiners = clientDefaults();
        examiners.examName = test::gbk("期中");
        examiners.examMinutes = 90;
        deriveAnswerFile(examiners);
        copied = clientDefaults();
        copied.bankFile = paperFileSetting("1001");
        copied.drawMode = DrawMode::BankOrder;
    }

    // An interrupted exam of candidate 1001 whose settings copy holds `copied`.
    void leaveInterruptedExam()
    {
        ASSERT_TRUE(writeWorkspaceSettings(workspace(), copied, "1001"));
        ASSERT_EQ(writePaperFile(workspace(), "1001", test::sampleBank(1, 0, 0)), BankWriteResult::Written);
        ASSERT_TRUE(writeQuestionIndex(workspace(), "1001", { 4 }));
        ASSERT_TRUE(writeAnswerCardFile(workspace(), "1001", { { "1--A" }, 9, 300 }));
    }

    ExamSettings examiners;
    ExamSettings copied;
};

TEST_F(ClientSettingsTest, IncompleteCopyIsDeletedAndTheExaminersSettingsStartAFreshExam)
{
    ASSERT_TRUE(writeExamSettings("olvane.dat", examiners));
    leaveInterruptedExam();
    std::filesystem::remove(workspace().questionIndexFile("1001"));

    EXPECT_TRUE(loadClientSettings(state, env));
    EXPECT_EQ(prompter.texts(), std::vector<std::string> { "本地数据已不完整,请重新开始考试." });
    EXPECT_FALSE(std::filesystem::exists(workspace().settingsCopy()));
    EXPECT_EQ(state.settings, examiners);
    EXPECT_FALSE(state.resumed);
}

TEST_F(ClientSettingsTest, IncompleteCopyWithoutSettingsFileLeavesNothingOfTheCopy)
{
    leaveInterruptedExam();
    writeBytes(workspace().answerCardFile("1001"), "1--A\r\n9\r\n");

    EXPECT_FALSE(loadClientSettings(state, env));
    // The copy names the old candidate's paper as bank: a new candidate must not draw from it.
    EXPECT_EQ(state.settings, clientDefaults());
    EXPECT_EQ(state.examNumber, "");
}

TEST_F(ClientSettingsTest, AReadErrorInTheCopyStillResumesTheExamInProgress)
{
    // A sysfs file claims 4096 bytes but ends after its first line: the second read fails.
    const std::filesystem::path shortFile = "/sys/devices/system/cpu/online";
    if (!std::filesystem::exists(shortFile))
        GTEST_SKIP() << "no sysfs";
    ASSERT_TRUE(writeExamSettings("olvane.dat", examiners));
    std::filesystem::create_symlink(shortFile, workspace().settingsCopy());

    EXPECT_FALSE(loadClientSettings(state, env));
    EXPECT_EQ(prompter.texts(), std::vector<std::string> { "数据文件使用错误" });
    EXPECT_TRUE(state.resumed) << "a fresh login would let a second candidate onto this machine";
}

TEST_F(ClientSettingsTest, TheCopyHoldsFlagsAsZeroOrOneAndTheAnswerSheetTheExamStartedWith)
{
    examiners.shuffleOptions = 5;
    examiners.passwordToExit = -1;
    ASSERT_TRUE(writeExamSettings("olvane.dat", examiners));
    std::vector<std::string> lines = crLfSplit(test::readBytes("olvane.dat"));
    lines[21] = test::gbk("答卷\\daan.txt"); // hand-edited
    writeBytes("olvane.dat", crLfJoin(lines));

    ASSERT_TRUE(loadClientSettings(state, env));
    ASSERT_TRUE(writeWorkspaceSettings(workspace(), state.settings, "1001"));
    lines[14] = "1";
    lines[17] = "1";
    lines.push_back("1001          ");
    EXPECT_EQ(test::readBytes(workspace().settingsCopy()), crLfJoin(lines));
}

} // namespace
} // namespace olv
