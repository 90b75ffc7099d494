// The appends to the shared files: a record lands whole, on a line of its own, or the file is
// left exactly as it was.
#include "common/AnswerRecord.h"
#include "common/ScoreDatabase.h"
#include "support/FaultCases.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

using test::readBytes;
using test::writeBytes;

const ScoreRecord wang { "1", "Wang", "1002", "90" };
const std::string wangStored = swapLineBytePairs(formatScoreLine(wang)) + "\r\n";
const std::string answerRecord = "3  1001          *R*E*";

struct Append
{
    const char* name;
    OpenMode mode;
    std::function<bool(File&)> append;
    std::string record; // the bytes the append adds
};

const std::vector<Append> appends {
    { "answer record", OpenMode::WriteAppendCreate, [](File& f) { return appendAnswerRecord(f, answerRecord); },
        answerRecord + "\r\r\n" },
    { "score line", OpenMode::ReadWriteCreate, [](File& f) { return appendScoreRecord(f, wang); }, wangStored },
};

class SharedAppendFaultTest : public ::testing::Test
{
protected:
    std::string appendTo(const Append& append, const std::string& bytes)
    {
        writeBytes(m_path, bytes);
        File file = File::open(m_path, append.mode).value();
        EXPECT_TRUE(append.append(file)) << append.name;
        return readBytes(m_path);
    }

    test::TempDir m_dir;
    std::filesystem::path m_path = m_dir / "shared";
};

TEST_F(SharedAppendFaultTest, AFailedAppendLeavesTheFileAsItWas)
{
    test::FaultGuard guard;
    const std::string before = "earlier record\r\n";
    for (const Append& append : appends) {
        for (const test::FaultCase& fault : test::writeFaults(append.record.size())) {
            writeBytes(m_path, before);
            File file = File::open(m_path, append.mode).value();
            fault.arm();
            EXPECT_FALSE(append.append(file)) << append.name << ": " << fault.name;
            faults::disarm();
            file.close();
            EXPECT_EQ(readBytes(m_path), before) << append.name << ": " << fault.name;
        }
    }
}

TEST_F(SharedAppendFaultTest, ARecordStartsOnALineOfItsOwn)
{
    for (const Append& append : appends) {
        EXPECT_EQ(appendTo(append, ""), append.record) << append.name;
        EXPECT_EQ(appendTo(append, "whole\r\n"), "whole\r\n" + append.record) << append.name;
        EXPECT_EQ(appendTo(append, "cut sho"), "cut sho\r\n" + append.record) << append.name;
    }
}

} // namespace
} // namespace olv
