// The sample paper of the settings and its two text outputs, whole files byte for byte.
#include "admin/bank/SamplePaper.h"

#include "admin/bank/SamplePaperModel.h"
#include "common/ExamPaper.h"
#include "common/ExamSettingsFile.h"
#include "common/PaperDrawing.h"
#include "common/QuestionBankFile.h"
#include "support/BankTexts.h"
#include "support/PaperSettings.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

using namespace olv;
using namespace olv::test;

namespace {

// Ten questions with one-letter answers, one of them lower-case.
const char* const tenQuestions = "●单选题:\n单1\n甲\n乙\n丙\n丁\na\n单2\n甲\n乙\n丙\n丁\nB\n单3\n甲\n乙\n丙\n丁\nC\n"
                                 "单4\n甲\n乙\n丙\n丁\nD\n●多选题:\n多5\n甲\n乙\n丙\n丁\nA\n多6\n甲\n乙\n丙\n丁\nB\n"
                                 "多7\n甲\n乙\n丙\n丁\nC\n●判断题:\n判8\nA\n判9\nB\n判10\nb\n";
const char* const noSingleChoice = "●单选题:\n●多选题:\n多1\n甲\n乙\n丙\n丁\nca\n●判断题:\n判2\nA\n";

const std::string options = "A、甲        B、乙        C、丙        D、丁        \n";
const std::string header = "期末考试\n语文\n考号:           姓名:        \n";
const std::string singleHeading = "    ●单选题:只能选一个答案     1.50分/题\n";
const std::string multipleHeading = "    ●多选题:错选漏选均不得分     2.00分/题\n";
const std::string trueFalseHeading = "    ●判断题:正确为A;错误为B     0.50分/题\n";
const std::string keyHeader = "期末考试\n语文标准答案\n";

struct OutputCase
{
    const char* name;
    const char* bank;
    KindCounts counts;
    std::string paper; // after the three header lines
    std::string key; // after the two header lines
};

ExamSettings settingsFor(const KindCounts& counts, DrawMode mode)
{
    ExamSettings settings = paperSettings("bank.kst", counts, mode);
    settings.examName = gbk("期末考试");
    settings.subject = gbk("语文");
    settings.singleChoicePoints = 1.5f;
    settings.multipleChoicePoints = 2;
    settings.trueFalsePoints = 0.5f;
    return settings;
}

struct FakePaperView : SamplePaperView
{
    void selectLine(std::size_t) override { }
    void selectEntry(std::size_t) override { }
    void disablePaperOutput() override { paperDisabled = true; }
    void disableKeyOutput() override { keyDisabled = true; }
    bool paperDisabled = false;
    bool keyDisabled = false;
};

class SamplePaperTest : public ::testing::Test
{
protected:
    // Writes both outputs through the dialog's rules, in bank order, in the working directory.
    static void writeOutputs(const char* bank, const KindCounts& counts, ScriptedPrompter& prompter)
    {
        writeBytes("bank.kst", bankBytes(bank));
        const auto settings = settingsFor(counts, DrawMode::BankOrder);
        auto paper = loadSamplePaper(settings, 1000, prompter);
        ASSERT_TRUE(paper);
        FakePaperView view;
        SamplePaperModel model(settings, std::move(*paper), view, prompter);
        prompter.answerSaveName("paper");
        model.writePaper();
        prompter.answerSaveName("key");
        model.writeKey();
        EXPECT_TRUE(view.paperDisabled && view.keyDisabled);
    }

    TempDir dir;
    WorkingDirectory inDir { dir.path() };
    ScriptedPrompter prompter;
    FakePaperView view;
};

TEST_F(SamplePaperTest, WrittenPaperAndKeyByCounts)
{
    const std::string allSingle = singleHeading + "    1、单1\n" + options + "    2、单2\n" + options + "    3、单3\n"
        + options + "    4、单4\n" + options;
    const std::string allMultiple
        = multipleHeading + "    5、多5\n" + options + "    6、多6\n" + options + "    7、多7\n" + options;
    const OutputCase cases[] = {
        { "ten questions: the key breaks after the ninth entry", tenQuestions, { 4, 3, 3 },
            allSingle + allMultiple + trueFalseHeading + "    8、判8\n    9、判9\n    10、判10\n",
            "1--A  2--B  3--C  4--D  5--A  6--B  7--C  8--A  9--B  \n10--B  \n" },
        { "nine questions: an empty last line", tenQuestions, { 4, 3, 2 },
            allSingle + allMultiple + trueFalseHeading + "    8、判8\n    9、判9\n",
            "1--A  2--B  3--C  4--D  5--A  6--B  7--C  8--A  9--B  \n\n" },
        { "count 0 leaves the kind out, above the bank or negative takes all", tenQuestions, { 9, 0, -1 },
            allSingle + trueFalseHeading + "    5、判8\n    6、判9\n    7、判10\n",
            "1--A  2--B  3--C  4--D  5--A  6--B  7--B  \n" },
        // Which questions the draw takes is DrawsAsTheClientWithoutOptionShuffle's.
        { "a kind without questions keeps its heading", noSingleChoice, { 2, 1, 0 },
            singleHeading + multipleHeading + "    1、多1\n" + options, "1--AC  \n" },
        { "no questions at all", noSingleChoice, { 0, 0, 0 }, "", "\n" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir caseDir;
        WorkingDirectory inCase(caseDir.path());
        ScriptedPrompter casePrompter;
        writeOutputs(c.bank, c.counts, casePrompter);
        EXPECT_EQ(readBytes(caseDir / "paper.txt"), crlfText(header + c.paper));
        EXPECT_EQ(readBytes(caseDir / "key.txt"), crlfText(keyHeader + c.key));
        EXPECT_TRUE(casePrompter.texts().empty());
    }
}

TEST_F(SamplePaperTest, DrawsAsTheClientWithoutOptionShuffle)
{
    // The client's paper of the same settings, except that the sample has no exam number and
    // so seeds ByExamNumber with fixedNumber, like FixedNumber.
    const auto bank = parseQuestionBankText(crlfText(tenQuestions));
    for (DrawMode mode : { DrawMode::Random, DrawMode::BankOrder, DrawMode::ByExamNumber, DrawMode::FixedNumber }) {
        for (int shuffle : { 0, 1 }) {
            for (std::int64_t now : { 1700000000, 1700000001 }) {
                auto settings = settingsFor({ 2, 2, 2 }, mode);
                settings.fixedNumber = 7;
                settings.shuffleQuestions = shuffle;
                settings.shuffleOptions = 1; // not used by the sample
                auto client = settings;
                client.shuffleOptions = 0;
                client.drawMode = mode == DrawMode::ByExamNumber ? DrawMode::FixedNumber : mode;
                SCOPED_TRACE(testing::Message() << "mode " << int(mode) << " shuffle " << shuffle << " now " << now);
                EXPECT_EQ(drawSamplePaper(bank, settings, now), drawPaper(bank, client, "123", now)->questions);
            }
        }
    }
    // FixedNumber without the shuffle: the same paper at any time.
    const auto fixed = settingsFor({ 2, 2, 2 }, DrawMode::FixedNumber);
    EXPECT_EQ(drawSamplePaper(bank, fixed, 1), drawSamplePaper(bank, fixed, 99999));
}

// A cancelled name and a bank that cannot be read are BankDialogsTest's, through the window.
TEST_F(SamplePaperTest, DeclinedOverwriteKeepsAnOutputAvailableAndAFailureUsesIt)
{
    writeBytes(dir / "bank.kst", bankBytes(tenQuestions));
    const auto settings = settingsFor({ 1, 1, 1 }, DrawMode::BankOrder);
    SamplePaperModel model(settings, *loadSamplePaper(settings, 0, prompter), view, prompter);
    writeBytes(dir / "key.txt", "old");
    prompter.answerSaveName("key");
    prompter.answerConfirm(false);
    model.writeKey();
    EXPECT_FALSE(view.keyDisabled);
    prompter.answerSaveName((dir / "missing" / "p.txt").string());
    model.writePaper();
    EXPECT_TRUE(view.paperDisabled);
    EXPECT_EQ(prompter.texts().back(), "不能打开" + (dir / "missing" / "p.txt").string() + "文件");
    EXPECT_EQ(readBytes(dir / "key.txt"), "old");
}

} // namespace
