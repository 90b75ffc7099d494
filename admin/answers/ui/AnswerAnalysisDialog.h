#pragma once

#include "admin/answers/AnswerAnalysisViewer.h"
#include "admin/ui/LineListDialog.h"

#include <filesystem>

namespace olv {

class Prompter;

// "查看答题情况": every candidate's marks and the counts per question. The rules are
// AnswerAnalysisViewer's; the window only forwards the examiner's commands.
class AnswerAnalysisDialog : public LineListDialog
{
    Q_OBJECT
public:
    AnswerAnalysisDialog(Prompter& prompter, const std::filesystem::path& answerFile, QWidget* parent = nullptr);

    // Loads the answer sheet and runs the dialog, unless loading closed it.
    void run();

private:
    AnswerAnalysisViewer m_viewer;
};

// Opens the answer analysis of `answerFile` as a modal dialog and returns when it is closed.
void runAnswerAnalysis(QWidget* parent, Prompter& prompter, const std::filesystem::path& answerFile);

} // namespace olv
