#include "client/startup/ScreenCheck.h"

#include "client/startup/ClientEnvironment.h"
#include "common/Prompter.h"

#include <string>

namespace olv {

namespace {

// Below this a screen is unusable even when the mode cannot be changed at all.
constexpr int leastWidth = 800;
constexpr int leastHeight = 600;

std::string size(int width, int height) { return std::to_string(width) + "×" + std::to_string(height); }

bool refuse(const Screen& screen, Prompter& prompter, int width, int height)
{
    prompter.message("你的屏幕分辨率太低(" + size(screen.width(), screen.height()) + ").\n软件无法帮你设置为"
        + size(width, height) + ".\n请将分辨率设置为" + size(width, height) + ",然后重新考试.");
    return false;
}

} // namespace

bool checkScreenResolution(Screen& screen, Prompter& prompter, int width, int height)
{
    if (screen.width() == width && screen.height() == height)
        return true;
    if (!screen.changeMode(width, height)) {
        if (screen.width() < leastWidth || screen.height() < leastHeight)
            return refuse(screen, prompter, width, height);
        return true;
    }
    if (screen.width() >= width && screen.height() >= height)
        return true;
    return refuse(screen, prompter, width, height);
}

} // namespace olv
