#pragma once

#include <filesystem>

namespace olv {

class Clock;
class Prompter;
class Screen;

// The exam client from start to end: one instance per machine, the start-up, the exam
// window and its commands. Returns when the window has closed.
int runClient(const std::filesystem::path& localDriveRoot, const Clock& clock, Prompter& prompter, Screen& screen);

} // namespace olv
