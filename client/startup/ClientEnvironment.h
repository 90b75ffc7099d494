#pragma once

#include "platform/Clock.h"

#include <filesystem>

namespace olv {

class Prompter;

// The screen of the exam machine: its size and the temporary display-mode change.
class Screen
{
public:
    virtual ~Screen() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Asks for a display mode of that size without storing it; false when the change
    // itself raises an error.
    virtual bool changeMode(int width, int height) = 0;
    // Back to the desktop's stored mode.
    virtual void restoreMode() = 0;
};

// What the client needs from the machine, passed in so tests run in temp folders with
// a fixed clock and scripted answers. Relative names resolve against the working directory.
struct ClientEnvironment
{
    std::filesystem::path localDriveRoot; // drive D: of the exam machine
    const Clock& clock;
    Prompter& prompter;
    Screen& screen;

    // "d:\ExaminationTemporary"
    std::filesystem::path workspace() const { return localDriveRoot / "ExaminationTemporary"; }
};

} // namespace olv
