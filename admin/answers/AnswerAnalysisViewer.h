#pragma once

#include "admin/LineListView.h"
#include "admin/scores/ShownList.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace olv {

class Prompter;

// The rules of the window "查看答题情况": loading, reloading, hiding a candidate line and saving.
class AnswerAnalysisViewer
{
public:
    AnswerAnalysisViewer(std::filesystem::path answerFile, Prompter& prompter, LineListView& view);

    // Reads the answer sheet and shows it, or closes the window when there is nothing to show.
    void load();
    void reload();
    void hideSelected();
    void save() { m_list.save(); }
    void rememberSelection(std::optional<std::size_t> row) { m_list.rememberSelection(row); }

    bool isClosed() const { return m_list.isClosed(); }
    const std::vector<std::string>& lines() const { return m_list.lines(); }
    // The answer sheet lines as read, less those hidden.
    const std::vector<std::string>& answerLines() const { return m_answerLines; }

private:
    bool read();
    void display();

    std::filesystem::path m_answerFile;
    Prompter& m_prompter;
    ShownList m_list;
    std::vector<std::string> m_answerLines;
};

} // namespace olv
