#pragma once

#include "admin/LineListView.h"
#include "admin/scores/ScoreSortOrder.h"
#include "admin/scores/ShownList.h"
#include "common/ScoreRecord.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace olv {

class Prompter;
struct DamagedScoreLine;

// The rules of the score list window "考生成绩": loading with the tamper check, the sort orders,
// hiding a record, the retake and saving. The window forwards its buttons here.
class ScoreViewer
{
public:
    ScoreViewer(std::filesystem::path scoreFile, Prompter& prompter, LineListView& view);

    // Reads the database and shows it, or closes the window when there is nothing to show.
    void load();
    void sortBy(ScoreSortOrder order);
    void refresh();
    void hideSelected();
    void retakeSelected();
    // The file written, for the chart saved beside it.
    std::optional<std::filesystem::path> save() { return m_list.save(); }
    // "导出表格": the records in the display order as an XLSX (or a CSV when that name is chosen).
    void exportSheet();
    void rememberSelection(std::optional<std::size_t> row) { m_list.rememberSelection(row); }

    bool isClosed() const { return m_list.isClosed(); }
    const std::vector<std::string>& lines() const { return m_list.lines(); }
    ScoreSortOrder sortOrder() const { return m_sortOrder; }
    // The records of the list as last shown, in file order.
    const std::vector<ScoreRecord>& records() const { return m_records; }

private:
    enum class Reading
    {
        Load,
        Refresh
    };

    // The stored lines, or nothing after `cannotOpen` (or the refusal of a file too large).
    std::optional<std::vector<std::string>> readStoredLines(const std::string& cannotOpen);
    // Takes the records of the lines and reports the damaged ones; true when some were.
    bool takeRecords(const std::vector<std::string>& storedLines, Reading reading);
    void reportDamaged(const std::vector<DamagedScoreLine>& damaged, Reading reading);
    void display();
    // The record behind the selected line, when a record line is selected.
    std::optional<std::size_t> selectedRecord() const;
    void showMessage(const std::string& text);

    std::filesystem::path m_scoreFile;
    Prompter& m_prompter;
    ShownList m_list;
    std::vector<ScoreRecord> m_records; // in file order
    std::vector<std::size_t> m_order; // the display order of the last display
    ScoreSortOrder m_sortOrder = ScoreSortOrder::FileOrder;
};

} // namespace olv
