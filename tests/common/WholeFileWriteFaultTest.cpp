// Every whole-file writer, with each step of its write failing in turn: the target keeps its old
// bytes and the failure is reported (or, when only the folder sync after the rename failed, has
// the new ones and the save counts as done), and no temporary is left. The appends to the shared
// files below.
#include "common/AnswerRecord.h"
#include "common/ExamSettingsFile.h"
#include "common/QuestionBankFile.h"
#include "common/ScoreDatabase.h"
#include "platform/File.h"
#include "platform/ReplacingWrite.h"
#include "support/FaultCases.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace olv {
namespace {

using test::readBytes;
using test::writeBytes;

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

TEST_F(WholeFileWriteFaultTest, EveryWholeFileWriter)
{
    QuestionBank bank;
    bank.trueFalseQuestions.push_back({ QuestionKind::TrueFalse, "stem", {}, "A" });
    const std::vector<ScoreRecord> records { { "1", "Li", "1001", "" }, { "1", "Wang", "1002", "" } };
    using Path = std::filesystem::path;
    const std::pair<const char*, std::function<bool(const Path&)>> writers[] = {
        { "card.das", [](const Path& path) { return writeTextReplacing(path, "1--A\n2--B\n"); } },
        { "bank.kst", [&](const Path& path) { return writeQuestionBank(bank, path) == BankWriteResult::Written; } },
        { "olvane.dat", [](const Path& path) { return writeExamSettings(path, adminDefaults()); } },
        { "cj.kcj", [&](const Path& path) { return writeScoreDatabase(path, records) == FileResult::Done; } },
    };
    for (const auto& [name, write] : writers) {
        SCOPED_TRACE(name);
        const Path target = m_dir / name;
        expectSurvives(target, [&] { return write(target); });
    }
}

struct stat statusOf(const std::filesystem::path& path)
{
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status;
}

// Who may read a file stays as it was after a save, through a link to it too; a file the user
// may not write is refused with its bytes kept; a new file gets what an ordinary create gives.
TEST_F(WholeFileWriteFaultTest, ASaveKeepsModeOwnerAndLink)
{
    struct Case
    {
        const char* name;
        mode_t mode;
        bool otherGroup, viaLink, newFile;
    };
    const bool root = ::geteuid() == 0;
    const mode_t umask = ::umask(022);
    ::umask(umask);
    for (const Case& c : { Case { "private", 0600, false, false, false }, Case { "group", 0640, true, false, false },
             Case { "shared", 0664, false, false, false }, Case { "link", 0640, true, true, false },
             Case { "read-only", 0444, false, false, false }, Case { "new file", 0, false, false, true },
             Case { "new file via link", 0, false, true, true } }) {
        test::TempDir dir;
        std::filesystem::create_directory(dir / "store");
        const std::filesystem::path file = dir / "store" / "v2.kst";
        const std::filesystem::path named = c.viaLink ? dir / "current.kst" : file;
        if (c.viaLink)
            std::filesystem::create_symlink("store/v2.kst", named);
        gid_t group = ::getegid();
        if (!c.newFile) {
            test::writeBytes(file, "old");
            if (c.otherGroup && root)
                group = 4321;
            ASSERT_EQ(::chown(file.c_str(), ::geteuid(), group), 0);
            ASSERT_EQ(::chmod(file.c_str(), c.mode), 0);
        }
        const bool refused = !c.newFile && !(c.mode & 0200) && !root;

        EXPECT_EQ(writeReplacing(named, "new"), !refused) << c.name;
        const struct stat after = statusOf(file);
        EXPECT_EQ(after.st_mode & 07777, c.newFile ? 0666 & ~umask : c.mode) << c.name;
        EXPECT_EQ(after.st_gid, group) << c.name;
        EXPECT_EQ(after.st_uid, ::geteuid()) << c.name;
        EXPECT_EQ(std::filesystem::is_symlink(named), c.viaLink) << c.name;
        EXPECT_EQ(readBytes(named), refused ? "old" : "new") << c.name;
        EXPECT_EQ(test::fileNames(dir / "store"), std::vector<std::string> { "v2.kst" }) << c.name;
    }
}

TEST_F(WholeFileWriteFaultTest, AFileNamedLikeATemporaryIsLeftAlone)
{
    const std::filesystem::path target = m_dir / "card.das";
    test::writeBytes(replacementTemporary(target), "someone else's");
    ASSERT_TRUE(writeReplacing(target, "new"));
    EXPECT_EQ(readBytes(replacementTemporary(target)), "someone else's");
    EXPECT_EQ(test::fileNames(m_dir.path()), (std::vector<std::string> { "card.das", "card.das.new" }));
}

// A folder that takes no new file but lets the file be written: the file is rewritten in place.
TEST_F(WholeFileWriteFaultTest, WithoutATemporaryTheFileIsRewrittenInPlace)
{
    const std::filesystem::path target = m_dir / "olvane.dat";
    test::writeBytes(target, "a longer old content");
    const ino_t inode = statusOf(target).st_ino;
    test::FaultGuard guard;
    faults::failOperation(FileOperation::Open, EACCES);
    ASSERT_TRUE(writeReplacing(target, "new"));
    EXPECT_EQ(readBytes(target), "new");
    EXPECT_EQ(statusOf(target).st_ino, inode);
    EXPECT_EQ(test::fileNames(m_dir.path()), std::vector<std::string> { "olvane.dat" });
}

TEST_F(WholeFileWriteFaultTest, AFailedFolderSyncAfterTheRenameIsAWarningOnly)
{
    const std::filesystem::path target = m_dir / "card.das";
    test::writeBytes(target, "old");
    std::vector<std::filesystem::path> warned;
    setFolderSyncWarning([&warned](const std::filesystem::path& saved) { warned.push_back(saved); });
    test::FaultGuard guard;
    faults::failOperation(FileOperation::Sync, EIO, 1);
    EXPECT_EQ(replaceFileContent(target, [](File& file) { return file.write("new"); }),
        ReplacingWriteResult::Written);
    setFolderSyncWarning(nullptr);
    EXPECT_EQ(warned, std::vector<std::filesystem::path> { target });
    EXPECT_EQ(readBytes(target), "new");
}

// The appends to the shared files: a record lands whole, on a line of its own, or the file is
// left exactly as it was.
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
