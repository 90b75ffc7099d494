#pragma once

#include "admin/scores/ScoreEditorView.h"

#include <QDialog>
#include <array>
#include <filesystem>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QPushButton;

namespace olv {

class LineListModel;
class Prompter;
class ScoreEditor;

// Opens the score database editor "编辑成绩库" on `scoreFile` (".kcj" already added when the name had
// no "."), modally, and returns when it is closed.
void runScoreEditor(QWidget* parent, Prompter& prompter, const std::filesystem::path& scoreFile);

// The window of the score database editor: the path, the list, the four boxes, "自动", the record
// number, the record commands, "存盘" with its progress bar and "退出". Enter walks class -> name ->
// exam number -> score -> "添加到末尾", which adds and returns to the class; Escape closes at once.
class ScoreEditorDialog : public QDialog, public ScoreEditorView
{
    Q_OBJECT
public:
    explicit ScoreEditorDialog(QWidget* parent = nullptr);

    // Connects the controls to the rules; the editor must outlive the dialog's use.
    void setEditor(ScoreEditor* editor);
    bool closeRequested() const { return m_closeRequested; }

    void showPath(const std::string& utf8Path) override;
    void showLines(std::vector<RenderedLine> lines) override;
    void showCurrent(std::size_t record) override;
    std::string boxText(ScoreBox box) const override;
    std::optional<std::string> entryRefusal() const override;
    void setBoxText(ScoreBox box, const std::string& text) override;
    void setExamNumberEnabled(bool enabled) override;
    void moveFocus(EditorFocus where) override;
    void startProgress(std::size_t steps) override;
    void advanceProgress() override;
    void resetProgress() override;
    void closeWindow() override;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* box(ScoreBox which) const { return m_boxes[static_cast<std::size_t>(which)]; }
    EditorFocus focusedControl() const;

    ScoreEditor* m_editor = nullptr;
    QLabel* m_path;
    LineListModel* m_lines;
    QListView* m_list;
    std::array<QLineEdit*, 4> m_boxes {};
    QCheckBox* m_autoNumbering;
    QLabel* m_recordNumber;
    QPushButton* m_add;
    QPushButton* m_insert;
    QPushButton* m_replace;
    QPushButton* m_delete;
    QPushButton* m_fetch;
    QPushButton* m_import = nullptr;
    QPushButton* m_save;
    QProgressBar* m_progress;
    QPushButton* m_exit;
    bool m_closeRequested = false;
    bool m_selecting = false;
};

} // namespace olv
