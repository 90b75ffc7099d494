#include "client/login/LoginMark.h"

#include "client/StartupFixture.h"
#include "platform/File.h"
#include "support/FaultCases.h"
#include "support/LockWait.h"

#include <cerrno>

namespace olv {
namespace {

using test::gbk;
using test::readBytes;

class LoginMarkTest : public test::StartupFixture
{
protected:
    LoginMarkTest()
    {
        writeBank(test::sampleBank(2, 1, 1));
        state.className = gbk("三班");
        state.candidateName = gbk("赵六");
        state.examNumber = "1001          ";
    }

    ScoreRecord loggedIn(const std::string& className, const std::string& name) const
    {
        return { gbk(className), gbk(name), state.examNumber, loginMark() };
    }

    // The bytes of a score database holding `records`.
    static std::string databaseOf(const std::vector<ScoreRecord>& records)
    {
        EXPECT_EQ(writeScoreDatabase("expected.kcj", records), FileResult::Done);
        return readBytes("expected.kcj");
    }
};

TEST_F(LoginMarkTest, RosterLineIsMarkedInPlaceWithTheRostersClassAndName)
{
    const auto other = test::rosterLine("一班", "李四", "1002");
    writeRoster({ other, test::rosterLine("一班", "张三", "1001"), test::rosterLine("二班", "王五", "1001") });

    EXPECT_TRUE(writeLoginMark(state, env));
    EXPECT_EQ(
        readBytes("cj.kcj"), databaseOf({ other, loggedIn("一班", "张三"), test::rosterLine("二班", "王五", "1001") }));
    EXPECT_EQ(state.className, gbk("一班") + std::string(12, ' '));
    EXPECT_EQ(state.candidateName, gbk("张三") + std::string(12, ' '));
    EXPECT_TRUE(prompter.prompts().empty());
    EXPECT_TRUE(std::filesystem::is_empty(env.workspace())); // the probe is gone
}

TEST_F(LoginMarkTest, WithoutARosterAMissingCandidateIsAppendedAsTyped)
{
    const auto other = test::rosterLine("一班", "李四", "1002");
    writeRoster({ other });
    EXPECT_TRUE(writeLoginMark(state, env));
    EXPECT_EQ(readBytes("cj.kcj"), databaseOf({ other, loggedIn("三班", "赵六") }));
}

TEST_F(LoginMarkTest, ALoginMarkThatCannotBeWrittenIsAFailedLogin)
{
    writeRoster({ test::rosterLine("一班", "李四", "1002") });
    const std::string roster = readBytes("cj.kcj");
    // The disk fills up once the checks are done: the file cannot grow by the appended line.
    test::FaultGuard guard;
    screen.size = { 1280, 1024 };
    screen.onChange = [] { faults::failWritesAfter(0, ENOSPC); };
    EXPECT_FALSE(writeLoginMark(state, env));
    EXPECT_EQ(prompter.texts(), std::vector<std::string> { "不能打开文件成绩库文件" });
    EXPECT_EQ(readBytes("cj.kcj"), roster);
}

TEST_F(LoginMarkTest, WithARosterAMissingCandidateCannotStart)
{
    writeRoster({ test::rosterLine("一班", "李四", "1002") });
    const std::string before = readBytes("cj.kcj");
    state.settings.rosterRequired = 1;
    EXPECT_FALSE(writeLoginMark(state, env));
    EXPECT_EQ(prompter.texts(), std::vector<std::string> { "考号:1001          没有找到.请核对后重输!" });
    EXPECT_EQ(readBytes("cj.kcj"), before);
}

struct StartupCheck
{
    const char* what;
    std::function<void(const ClientEnvironment&, test::SizedScreen&)> breakIt;
    std::string message;
};

void PrintTo(const StartupCheck& c, std::ostream* out) { *out << c.what; }

class FailedStartupCheckTest : public LoginMarkTest, public ::testing::WithParamInterface<StartupCheck>
{ };

TEST_P(FailedStartupCheckTest, LeavesTheScoreDatabaseUnchanged)
{
    writeRoster({ test::rosterLine("一班", "张三", "1001") });
    const std::string before = readBytes("cj.kcj");
    GetParam().breakIt(env, screen);

    EXPECT_FALSE(writeLoginMark(state, env));
    EXPECT_EQ(prompter.texts(), std::vector<std::string> { GetParam().message });
    EXPECT_EQ(readBytes("cj.kcj"), before);
}

INSTANTIATE_TEST_SUITE_P(LoginMarkTest, FailedStartupCheckTest,
    ::testing::Values(StartupCheck { "bank missing", [](const auto&, auto&) { std::filesystem::remove("WordE97.kst"); },
                          "不能打开试题库文件\n\n    请报告监考员,检查考试管理中\n设置的试题库文件是否存在." },
        StartupCheck { "temporary not creatable",
            [](const auto& env, auto&) { std::filesystem::create_directory(env.workspace() / "abc.bak"); },
            "在d:中不能创建临时文件," },
        StartupCheck { "screen too small",
            [](const auto&, auto& screen) {
                screen.size = { 640, 480 };
                screen.modeChange = test::SizedScreen::ModeChange::Fails;
            },
            "你的屏幕分辨率太低(640×480).\n软件无法帮你设置为1024×768.\n请将分辨率设置为1024×768,然后重新考试." }),
    [](const auto& info) { return std::to_string(info.index); });

// The other machines of the hall wait for the file: it is held only to find and write the line.
TEST_F(LoginMarkTest, ScoreDatabaseIsFreeWhileTheChecksRun)
{
    writeRoster({});
    screen.size = { 1280, 1024 };
    bool freeDuringChecks = false;
    test::LockWaitBudget impatient(std::chrono::milliseconds(0));
    screen.onChange
        = [&] { freeDuringChecks = File::open("cj.kcj", OpenMode::ReadWriteCreate, Sharing::Exclusive).has_value(); };
    EXPECT_TRUE(writeLoginMark(state, env));
    EXPECT_TRUE(freeDuringChecks);
}

} // namespace
} // namespace olv
