#include "client/startup/ScreenCheck.h"

#include "client/StartupFixture.h"

namespace olv {
namespace {

using Change = test::SizedScreen::ModeChange;

std::string tooLow(const std::string& size)
{
    return "你的屏幕分辨率太低(" + size + ").\n软件无法帮你设置为1024×768.\n请将分辨率设置为1024×768,然后重新考试.";
}

TEST(ScreenCheckTest, SwitchesToTheExamSizeOrRefusesAScreenTooSmall)
{
    const struct
    {
        std::pair<int, int> size;
        Change change;
        bool usable;
        bool changed;
        std::vector<std::string> messages;
    } cases[] = {
        { { 1024, 768 }, Change::Takes, true, false, {} },
        { { 800, 600 }, Change::Takes, true, true, {} },
        { { 800, 600 }, Change::Ignored, false, true, { tooLow("800×600") } },
        // Where the mode cannot be changed at all, 800 x 600 is enough.
        { { 800, 600 }, Change::Fails, true, true, {} },
        { { 799, 600 }, Change::Fails, false, true, { tooLow("799×600") } },
        { { 1024, 599 }, Change::Fails, false, true, { tooLow("1024×599") } },
    };
    for (const auto& c : cases) {
        test::SizedScreen screen;
        screen.size = c.size;
        screen.modeChange = c.change;
        test::ScriptedPrompter prompter;
        EXPECT_EQ(checkScreenResolution(screen, prompter, 1024, 768), c.usable);
        EXPECT_EQ(screen.changes.empty(), !c.changed);
        EXPECT_EQ(prompter.texts(), c.messages);
    }
}

} // namespace
} // namespace olv
