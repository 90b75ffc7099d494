#pragma once

#include "admin/scores/ScoreViewer.h"
#include "admin/ui/LineListDialog.h"

#include <filesystem>

namespace olv {

class Prompter;
class ScoreBandChart;

// "考生成绩": the score list with its sort orders, hiding, retake and saving. The rules are
// ScoreViewer's; the window only forwards the examiner's commands.
class ScoreViewerDialog : public LineListDialog
{
    Q_OBJECT
public:
    ScoreViewerDialog(Prompter& prompter, const std::filesystem::path& scoreFile, QWidget* parent = nullptr);

    // Loads the score database and runs the dialog, unless loading closed it.
    void run();

    // Every display of the list redraws the chart of its score bands.
    void showLines(const std::vector<std::string>& lines, std::optional<std::size_t> selectedRow) override;

private:
    // The list, then its chart beside it as a PNG of the same name.
    void save();

    Prompter& m_prompter;
    ScoreBandChart* m_chart;
    ScoreViewer m_viewer;
};

// Opens the score list of `scoreFile` as a modal dialog and returns when it is closed.
void runScoreViewer(QWidget* parent, Prompter& prompter, const std::filesystem::path& scoreFile);

} // namespace olv
