#pragma once

#include "admin/scores/AcceptedScoreLines.h"
#include "admin/scores/ScoreDatabaseSave.h"
#include "admin/scores/ScoreEditorView.h"
#include "common/Prompter.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace olv {

// The rules of the score database editor "编辑成绩库": the roster loaded whole, edited record by
// record and saved on request without losing what exam machines wrote meanwhile.
class ScoreEditor
{
public:
    ScoreEditor(ScoreEditorView& view, Prompter& prompter, std::filesystem::path path);

    // Reads the file, reporting every refused line; closes the view when the file cannot be opened.
    void load();

    void selectLine(std::size_t line);
    // Leaving a box removes every space from its text.
    void leaveBox(ScoreBox box);
    void setAutoNumbering(bool on);

    void addAtEnd();
    void insertAtCurrent();
    void replaceCurrent();
    void deleteCurrent();
    void fetchCurrent();
    void save();
    // "导入名单": a sheet picked, its candidates previewed with every refused row, the good rows
    // added to the end on OK (saved with "存盘" like any other change).
    void importRoster();
    // "退出": asks before changes are given up.
    void exit();
    void enterPressed(EditorFocus where);

    const std::vector<EditedRecord>& records() const { return m_records; }
    std::size_t current() const { return m_current; }
    bool modified() const { return m_modified; }

private:
    enum class Command
    {
        Add,
        Insert,
        Replace
    };

    bool store(Command command);
    // The index of the first record with that exam number other than `except`, or the count.
    std::size_t findExamNumber(const std::string& examNumber, std::size_t except) const;
    void reportRefusedLines(const std::vector<DamagedScoreLine>& refused);
    void showRecords();
    void refresh();
    void makeCurrent(std::size_t record);
    std::vector<ScoreRecord> plainRecords() const;

    ScoreEditorView& m_view;
    Prompter& m_prompter;
    std::filesystem::path m_path;
    std::vector<std::string> m_loadedLines; // the stored lines as last loaded or saved
    std::vector<EditedRecord> m_records;
    std::size_t m_current = 0;
    bool m_modified = false;
    bool m_autoNumbering = false;
    std::array<std::size_t, 4> m_columnWidths { 4, 4, 4, 4 };
};

} // namespace olv
