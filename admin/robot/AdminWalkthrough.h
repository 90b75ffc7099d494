#pragma once

#include "common/ExamSettings.h"

namespace olv {

class WindowRobot;

// The examiner's tour of the program for `make demo`, over the settings of the working
// folder: the operator password when one is set, the settings dialog, the help window, the
// merge chooser, the bank editor and the bank copy on the exam's bank, the sample paper, the
// roster editor, the score list and the answer analysis of the exam's results, and the password
// change, each pictured, then the dialog closed without saving so the exam's files stay as they are.
void scriptAdminTour(WindowRobot& robot, const ExamSettings& settings);

} // namespace olv
