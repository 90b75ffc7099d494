#include "platform/File.h"

#include "platform/FaultInjection.h"
#include "support/FaultCases.h"
#include "support/TestFiles.h"

#include <cerrno>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace olv {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct LinesCase
{
    std::string bytes;
    std::vector<std::string> lines;
};

class TextLines : public ::testing::Test
{
protected:
    // Every line of `bytes` and the position after each one.
    std::vector<std::string> readLines(const std::string& bytes, std::vector<std::int64_t>* positions = nullptr)
    {
        writeBytes(m_dir / "lines.txt", bytes);
        auto file = File::open(m_dir / "lines.txt", OpenMode::ReadOnly);
        EXPECT_TRUE(file);
        std::vector<std::string> lines;
        std::string line = "left over";
        while (file && file->readTextLine(line)) {
            lines.push_back(line);
            if (positions)
                positions->push_back(file->position());
        }
        EXPECT_EQ(line, "");
        return lines;
    }

    TempDir m_dir;
};

TEST_F(TextLines, CrLfEndsALineAndALoneCrStays)
{
    const std::vector<LinesCase> cases = {
        { "", {} },
        { "abc", { "abc" } },
        { "a\r\nb\r\n", { "a", "b" } },
        { "a\nb", { "a", "b" } },
        { "\r\n\r\n", { "", "" } },
        { "x\r\r\n", { "x\r" } },
        { "abc\r", { "abc\r" } },
    };
    for (const LinesCase& c : cases)
        EXPECT_THAT(readLines(c.bytes), ElementsAreArray(c.lines)) << ::testing::PrintToString(c.bytes);
}

// The line ends are moved across every offset around the 64 KiB read-ahead, so that a CR, a
// CR CR LF or a lone CR falls before, on and after a refill.
TEST_F(TextLines, LineEndsSplitAcrossTheReadBufferKeepTheirMeaning)
{
    for (std::size_t length = 65530; length <= 65540; ++length) {
        std::string first(length, 'x');
        std::vector<std::int64_t> positions;
        auto lines = readLines(first + "\r\r\n" + "y\rz\r\n" + "end", &positions);
        EXPECT_THAT(lines, ElementsAre(first + "\r", "y\rz", "end")) << length;
        auto start = static_cast<std::int64_t>(length);
        EXPECT_THAT(positions, ElementsAre(start + 3, start + 8, start + 11)) << length;
    }
}

TEST(FileText, WriteTextTurnsEveryLineFeedIntoCrLf)
{
    TempDir dir;
    const std::vector<std::pair<std::string, std::string>> cases = {
        { "", "" },
        { "a\nb\n", "a\r\nb\r\n" },
        { "abc\r\n", "abc\r\r\n" },
        { "lone\rcr", "lone\rcr" },
    };
    for (const auto& [text, bytes] : cases) {
        auto file = File::open(dir / "out.txt", OpenMode::WriteTruncate);
        ASSERT_TRUE(file);
        EXPECT_TRUE(file->writeText(text));
        EXPECT_EQ(file->position(), static_cast<std::int64_t>(bytes.size()));
        file->close();
        EXPECT_EQ(readBytes(dir / "out.txt"), bytes) << ::testing::PrintToString(text);
    }
}

class FilePositions : public ::testing::Test
{
protected:
    void SetUp() override { writeBytes(m_path, "line1\r\nline2\r\nline3\r\n"); }

    TempDir m_dir;
    std::filesystem::path m_path = m_dir / "data.txt";
};

TEST_F(FilePositions, RawReadsContinueWhereTheLineEnded)
{
    auto file = File::open(m_path, OpenMode::ReadWriteExisting);
    ASSERT_TRUE(file);
    std::string line;
    ASSERT_TRUE(file->readTextLine(line));
    EXPECT_EQ(file->read(3), "lin");
    EXPECT_EQ(file->position(), 10);
    ASSERT_TRUE(file->write("E"));
    EXPECT_EQ(file->readAll(), "2\r\nline3\r\n");
    EXPECT_EQ(file->position(), 21);
    EXPECT_EQ(file->read(5), "");
    ASSERT_TRUE(file->seek(0));
    EXPECT_EQ(file->read(100), "line1\r\nlinE2\r\nline3\r\n");
}

// Past 32 MiB the rest of the file is read straight into a string asked for huge pages.
TEST_F(FilePositions, LargeReadsCrossTheBufferByteExactly)
{
    std::string bytes(33 << 20, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 % 251);
    bytes[9] = '\n';
    writeBytes(m_path, bytes);
    auto file = File::open(m_path, OpenMode::ReadOnly);
    std::string line;
    ASSERT_TRUE(file && file->readTextLine(line));
    EXPECT_EQ(line, bytes.substr(0, 9));
    EXPECT_EQ(file->read(100'000), bytes.substr(10, 100'000));
    EXPECT_EQ(file->read(100), bytes.substr(100'010, 100));
    EXPECT_TRUE(file->readAll() == bytes.substr(100'110)); // a failure does not print 33 MB
    EXPECT_EQ(file->position(), static_cast<std::int64_t>(bytes.size()));
}

TEST_F(FilePositions, AMovedFileKeepsItsPlaceAndAssigningClosesTheOldOne)
{
    auto file = File::open(m_path, OpenMode::ReadOnly);
    std::string line;
    ASSERT_TRUE(file && file->readTextLine(line));
    File moved = std::move(*file);
    EXPECT_FALSE(file->readTextLine(line));
    ASSERT_TRUE(moved.readTextLine(line));
    EXPECT_EQ(line, "line2");

    // Assigning closes the file held before, and with it its lock.
    writeBytes(m_dir / "other.txt", "other\r\n");
    moved = File::open(m_dir / "other.txt", OpenMode::ReadOnly).value();
    EXPECT_TRUE(File::open(m_path, OpenMode::ReadOnly));
    ASSERT_TRUE(moved.readTextLine(line));
    EXPECT_EQ(line, "other");
}

struct ModeCase
{
    OpenMode mode;
    bool opensMissing;
    std::string existingAfterOpen; // "old" before the open
    bool canRead;
    bool canWrite;
};

TEST(FileModes, EachModeCreatesTruncatesAndAllowsWhatItSays)
{
    const std::vector<ModeCase> cases = {
        { OpenMode::ReadOnly, false, "old", true, false },
        { OpenMode::ReadWriteExisting, false, "old", true, true },
        { OpenMode::ReadWriteCreate, true, "old", true, true },
        { OpenMode::WriteTruncate, true, "", false, true },
        { OpenMode::WriteAppendCreate, true, "old", true, true },
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        TempDir dir;
        auto missing = File::open(dir / "missing", c.mode);
        EXPECT_EQ(missing.has_value(), c.opensMissing);
        EXPECT_EQ(std::filesystem::exists(dir / "missing"), c.opensMissing);

        writeBytes(dir / "existing", "old");
        auto file = File::open(dir / "existing", c.mode);
        ASSERT_TRUE(file);
        EXPECT_EQ(readBytes(dir / "existing"), c.existingAfterOpen);
        EXPECT_EQ(file->read(3), c.canRead ? "old" : "");
        EXPECT_EQ(file->write("x"), c.canWrite);
    }
}

// An open that fails after making its file takes the file away again, and never one that existed.
TEST(FileModes, AFailedOpenLeavesNoFileItMade)
{
    test::FaultGuard guard;
    for (const bool existed : { false, true }) {
        TempDir dir;
        if (existed)
            writeBytes(dir / "out.tmp", "old");
        faults::failOperation(FileOperation::Truncate, EIO);
        EXPECT_FALSE(File::open(dir / "out.tmp", OpenMode::WriteTruncate, Sharing::Exclusive)) << existed;
        EXPECT_EQ(errno, EIO) << existed;
        faults::disarm();
        EXPECT_EQ(std::filesystem::exists(dir / "out.tmp"), existed);
    }
}

TEST(FileModes, AppendingWritesAtTheEndWhereverThePositionIs)
{
    TempDir dir;
    writeBytes(dir / "daan.txt", "first\r\n");
    auto file = File::open(dir / "daan.txt", OpenMode::WriteAppendCreate);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->seek(0));
    ASSERT_TRUE(file->writeText("second\n"));
    EXPECT_EQ(file->position(), 15);
    file->close();
    EXPECT_EQ(readBytes(dir / "daan.txt"), "first\r\nsecond\r\n");
}

TEST_F(FilePositions, GatheredWritesGiveTheSameBytes)
{
    auto file = File::open(m_path, OpenMode::WriteTruncate);
    ASSERT_TRUE(file);
    file->gatherWrites(16);
    std::string expected;
    for (int i = 0; i < 20; ++i) {
        const std::string record = "record " + std::to_string(i) + "\r\n";
        ASSERT_TRUE(file->write(record));
        expected += record;
        ASSERT_EQ(file->position(), static_cast<std::int64_t>(expected.size()));
        ASSERT_EQ(file->size(), static_cast<std::int64_t>(expected.size()));
    }
    ASSERT_TRUE(file->seek(0) && file->write("R") && file->seekToEnd() && file->write("end"));
    expected[0] = 'R';
    ASSERT_TRUE(file->close());
    EXPECT_EQ(readBytes(m_path), expected + "end");
    // A write the disk refuses while the bytes wait: the whole-file writers' fault cases.
}

} // namespace
} // namespace olv
