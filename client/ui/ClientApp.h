#pragma once

#include "client/startup/ClientStartup.h"

#include <filesystem>

namespace olv {

class Clock;
class ExamWindow;
class PaperReviewStartup;
class Prompter;
class Screen;

// The exam client from start to end: one instance per machine, the start-up, the exam
// window and its commands. Returns when the window has closed.
int runClient(const std::filesystem::path& localDriveRoot, const Clock& clock, Prompter& prompter, Screen& screen);

// Shows in the window what the start-up built: title, identity, tree, paper, answer card and,
// for a review, the score in place of the countdown.
void fillExamWindow(ExamWindow& window, const ExamState& state, StartMode mode, const PaperReviewStartup& review);

} // namespace olv
