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
    // After this many messages about lines too long for a record the rest share one message.
    static constexpr std::size_t overlongLineMessages = 10;

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
    // A line longer than any bank's record is damage: it is reported and left out.
    void reportOverlong(const std::vector<std::size_t>& lineNumbers);
    void display();

    std::filesystem::path m_answerFile;
    Prompter& m_prompter;
    ShownList m_list;
    std::vector<std::string> m_answerLines;
};

} // namespace olv
