// The sample exam in resources/sample, as committed: the files a first exam runs on.
#include "common/Answer.h"
#include "common/QuestionBankFile.h"
#include "common/QuestionRules.h"
#include "platform/Gbk.h"
#include "support/TestFiles.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace olv;
using olv::test::TempDir;

namespace {

const std::filesystem::path sampleDir = OLV_SAMPLE_DIR;

QuestionBank sampleBank()
{
    TempDir dir;
    BankReadResult result = readQuestionBank(sampleDir / "WordE97.kst", dir / "stk.bak");
    if (!result.bank)
        throw std::runtime_error("cannot read the sample bank");
    return std::move(*result.bank);
}

TEST(SampleExamTest, BankHoldsOnlyValidQuestionsWithStoredAnswers)
{
    const QuestionBank bank = sampleBank();
    EXPECT_EQ(bank.singleChoiceQuestions.size(), 126u);
    EXPECT_EQ(bank.multipleChoiceQuestions.size(), 20u);
    EXPECT_EQ(bank.trueFalseQuestions.size(), 17u);
    for (QuestionKind kind : allQuestionKinds) {
        for (const Question& question : bank.questionsOf(kind)) {
            EXPECT_EQ(question.kind, kind);
            EXPECT_EQ(firstBrokenRule(question), QuestionRule::None) << gbkToUtf8(question.stem);
            EXPECT_EQ(normalizeAnswer(kind, question.answer), question.answer) << gbkToUtf8(question.stem);
        }
    }
}

// roster-pack refuses a roster line the client could not use, so the script succeeding checks the
// roster too.
TEST(SampleExamTest, CommittedFilesAreWhatTheScriptMakes)
{
    TempDir dir;
    const std::string command
        = "sh '" + (sampleDir / "make-sample.sh").string() + "' '" OLVTOOL_PATH "' '" + dir.path().string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* name : { "WordE97.kst", "cj.kcj", "olvane.dat" }) {
        const std::string made = test::readBytes(dir / name);
        EXPECT_FALSE(made.empty()) << name;
        EXPECT_EQ(made, test::readBytes(sampleDir / name)) << name;
    }
}

} // namespace
