#pragma once

#include "common/ExamSettings.h"

#include <filesystem>

namespace olv {

class WindowRobot;

// The examiner's tour of the program for `make demo`, over the settings of the working
// folder: the operator password when one is set, the settings dialog, the help window, the
// merge chooser, the bank editor and the bank copy on the exam's bank, the sample paper, the
// roster editor, the score list and the answer analysis of the exam's results, and the password
// change, each pictured, then the dialog closed without saving so the exam's files stay as they are.
// The item analysis is pictured too; the imports of the bank editor and the roster editor are
// pictured at their preview and cancelled, and the score list is exported once to a scratch file.
struct AdminTourFiles
{
    std::filesystem::path questions; // a question file for the bank editor's import
    std::filesystem::path roster; // a roster sheet for the roster editor's import
    std::filesystem::path scoreExport; // where the score list is exported
};
void scriptAdminTour(WindowRobot& robot, const ExamSettings& settings, const AdminTourFiles& files);

} // namespace olv
