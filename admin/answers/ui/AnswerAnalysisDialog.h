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
    // `bankFile` is the bank of the settings, for the stems of "试题分析"; empty for none.
    AnswerAnalysisDialog(Prompter& prompter, const std::filesystem::path& answerFile,
        std::filesystem::path bankFile = {}, QWidget* parent = nullptr);

    // Loads the answer sheet and runs the dialog, unless loading closed it.
    void run();

    // "试题分析": the item statistics of the sheet as shown.
    void analyseItems();

private:
    Prompter& m_prompter;
    std::filesystem::path m_bankFile;
    AnswerAnalysisViewer m_viewer;
};

// Opens the answer analysis of `answerFile` as a modal dialog and returns when it is closed.
void runAnswerAnalysis(QWidget* parent, Prompter& prompter, const std::filesystem::path& answerFile,
    const std::filesystem::path& bankFile = {});

} // namespace olv
