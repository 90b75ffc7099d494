#include "client/ClientSettings.h"

#include "client/StartupFixture.h"

namespace olv {
namespace {

using test::writeBytes;

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

} // namespace
} // namespace olv
