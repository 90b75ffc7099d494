#pragma once

namespace olv {

class Prompter;
class Screen;

// Makes sure the exam gets a screen of at least width x height, switching the display mode
// when the size differs. False, after the message, when the screen cannot be used.
bool checkScreenResolution(Screen& screen, Prompter& prompter, int width, int height);

} // namespace olv
