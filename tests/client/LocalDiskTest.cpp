#include "client/startup/LocalDisk.h"

#include "client/StartupFixture.h"

namespace olv {
namespace {

using test::messagePrompt;

class LocalDiskTest : public test::StartupFixture
{ };

TEST_F(LocalDiskTest, FreeSpaceDecides)
{
    const struct
    {
        std::optional<std::int64_t> freeKilobytes;
        std::vector<test::ScriptedPrompter::Prompt> prompts;
    } cases[] = {
        { std::nullopt, { messagePrompt("不能取得D:盘属性,无法运行考试软件") } },
        { 2047, { messagePrompt("D:盘剩余空间不足2M,不能运行考试软件") } }, { 2048, {} },
        { std::int64_t { 5 } << 32, {} }, // more than 32 bits can hold
    };
    for (const auto& c : cases) {
        test::ScriptedPrompter prompter;
        ClientEnvironment checked { env.localDriveRoot, clock, prompter, screen };
        EXPECT_EQ(checkLocalDisk(checked, [&](const auto&) { return c.freeKilobytes; }), c.prompts.empty());
        EXPECT_EQ(prompter.prompts(), c.prompts);
    }
}

TEST_F(LocalDiskTest, ProbeThatCannotBeCreatedStopsTheClient)
{
    std::filesystem::create_directory(env.workspace() / "a1b2c1");
    EXPECT_FALSE(checkLocalDisk(env));
    EXPECT_EQ(prompter.texts(), std::vector<std::string> { "D:盘中不能创建文件,无法运行考试软件" });
}

} // namespace
} // namespace olv
