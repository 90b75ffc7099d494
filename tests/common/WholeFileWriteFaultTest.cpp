// Every whole-file writer, with each step of its write failing in turn: the target keeps its old
// bytes (or has the new ones when only the folder sync after the rename failed), no temporary
// is left, and the failure is reported.
#include "common/ExamSettingsFile.h"
#include "common/QuestionBankFile.h"
#include "common/ScoreDatabase.h"
#include "platform/ReplacingWrite.h"
#include "support/FaultCases.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

using test::readBytes;

class WholeFileWriteFaultTest : public ::testing::Test
{
protected:
    // The bytes a successful `write` produces at `target`, found by writing once elsewhere.
    std::string newBytesOf(const std::filesystem::path& target, const std::function<bool()>& write)
    {
        EXPECT_TRUE(write());
        std::string bytes = readBytes(target);
        std::filesystem::remove(target);
        return bytes;
    }

    void expectSurvives(const std::filesystem::path& target, const std::function<bool()>& write)
    {
        const std::string newBytes = newBytesOf(target, write);
        test::expectReplacingWriteSurvivesFaults(target, "the old content\r\n", newBytes, write);
    }

    test::TempDir m_dir;
};

TEST_F(WholeFileWriteFaultTest, ReplacingWrite)
{
    expectSurvives(m_dir / "card.das", [&] { return writeTextReplacing(m_dir / "card.das", "1--A\n2--B\n"); });
}

TEST_F(WholeFileWriteFaultTest, QuestionBank)
{
    QuestionBank bank;
    bank.trueFalseQuestions.push_back({ QuestionKind::TrueFalse, "stem", {}, "A" });
    expectSurvives(
        m_dir / "bank.kst", [&] { return writeQuestionBank(bank, m_dir / "bank.kst") == BankWriteResult::Written; });
}

TEST_F(WholeFileWriteFaultTest, ExamSettings)
{
    expectSurvives(m_dir / "olvane.dat", [&] { return writeExamSettings(m_dir / "olvane.dat", adminDefaults()); });
}

TEST_F(WholeFileWriteFaultTest, ScoreDatabase)
{
    const std::vector<ScoreRecord> records { { "1", "Li", "1001", "" }, { "1", "Wang", "1002", "" } };
    expectSurvives(m_dir / "cj.kcj", [&] { return writeScoreDatabase(m_dir / "cj.kcj", records) == FileResult::Done; });
}

} // namespace
} // namespace olv
