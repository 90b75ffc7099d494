#pragma once

#include "admin/LineListView.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace olv {

class Prompter;

// The lines a list tool shows, with the examiner's selection, which is remembered whenever it
// changes and selected again after every display, and the saving of the list as text.
class ShownList
{
public:
    ShownList(LineListView& view, Prompter& prompter);

    void show(std::vector<std::string> lines);
    // Closes the window; a window closed before it was shown does not appear.
    void close();
    bool isClosed() const { return m_closed; }

    void rememberSelection(std::optional<std::size_t> row) { m_selectedRow = row; }
    std::optional<std::size_t> selectedRow() const { return m_selectedRow; }
    const std::vector<std::string>& lines() const { return m_lines; }

    // Asks for a name with the save-name dialog (".txt") and writes every line to it; the file
    // written, nothing when cancelled or failed.
    std::optional<std::filesystem::path> save();

private:
    LineListView& m_view;
    Prompter& m_prompter;
    std::vector<std::string> m_lines;
    std::optional<std::size_t> m_selectedRow;
    bool m_closed = false;
};

} // namespace olv
