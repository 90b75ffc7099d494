#include "client/startup/Workspace.h"

#include "platform/ReplacingWrite.h"
#include "support/FaultCases.h"
#include "support/TestFiles.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace olv {
namespace {

using test::readBytes;
using test::writeBytes;

class WorkspaceTest : public ::testing::Test
{
protected:
    // The four files of a resumable exam; the answer card file ends as given.
    void writeExam(const std::string& answerCardBytes)
    {
        writeBytes(workspace.settingsCopy(), "settings\r\n");
        writeBytes(workspace.paperFile(number), "paper");
        writeBytes(workspace.questionIndexFile(number), "3\r\n");
        writeBytes(workspace.answerCardFile(number), answerCardBytes);
    }

    test::TempDir dir;
    Workspace workspace { dir.path() };
    const std::string number = "1001          ";
};

TEST_F(WorkspaceTest, AnswerCardFileWithoutItsElapsedTimeLineIsNotRead)
{
    EXPECT_FALSE(readAnswerCardFile(workspace, number, 1)); // no file
    for (const std::string bytes : { "1--A\r\n", "1--A\r\n120\r\n" }) {
        writeBytes(workspace.answerCardFile(number), bytes);
        EXPECT_FALSE(readAnswerCardFile(workspace, number, 1)) << bytes;
    }
}

TEST_F(WorkspaceTest, RewritingTheAnswerCardNeverLeavesAHalfFile)
{
    ASSERT_TRUE(writeAnswerCardFile(workspace, number, { { "1--A" }, 5, 60 }));
    const std::string old = readBytes(workspace.answerCardFile(number));
    test::FaultGuard guard;
    faults::failOperation(FileOperation::Open, ENOSPC); // the temporary beside the card

    EXPECT_FALSE(writeAnswerCardFile(workspace, number, { { "1--B" }, 5, 90 }));
    EXPECT_EQ(readBytes(workspace.answerCardFile(number)), old);
}

TEST_F(WorkspaceTest, CopyIsCompleteOnlyWhileTheAnswerCardEndsWithAnElapsedTimeLine)
{
    const struct
    {
        std::string answerCardEnd;
        bool complete;
    } cases[] = {
        { "1--A\r\n80\r\n12345678  \r\n", true },
        { "1--A\r\n80\r\n0         \r\n", true },
        { "1--A\r\n80\r\n123456789 \r\n", false }, // nine digits leave one space
        { "1--A\r\n80\r\n***85  ***", false }, // marked at hand-in
        { "1--A\r\n***85  ***  ", false }, // ends in two spaces, but begins with the mark
        { "12345678  \r\n", true },
        { "1234567  \r\n", false }, // shorter than the line it looks for
        { "1--A\r\n80\r\n", false },
    };
    for (const auto& c : cases) {
        writeExam(c.answerCardEnd);
        EXPECT_EQ(isWorkspaceComplete(workspace, number), c.complete) << c.answerCardEnd;
    }
}

} // namespace
} // namespace olv
