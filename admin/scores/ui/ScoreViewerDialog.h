#pragma once

#include "admin/scores/ScoreViewer.h"
#include "admin/ui/LineListDialog.h"

#include <filesystem>

namespace olv {

class Prompter;

// "考生成绩": the score list with its sort orders, hiding, retake and saving. The rules are
// ScoreViewer's; the window only forwards the examiner's commands.
class ScoreViewerDialog : public LineListDialog
{
    Q_OBJECT
public:
    ScoreViewerDialog(Prompter& prompter, const std::filesystem::path& scoreFile, QWidget* parent = nullptr);

    // Loads the score database and runs the dialog, unless loading closed it.
    void run();

private:
    ScoreViewer m_viewer;
};

// Opens the score list of `scoreFile` as a modal dialog and returns when it is closed.
void runScoreViewer(QWidget* parent, Prompter& prompter, const std::filesystem::path& scoreFile);

} // namespace olv
