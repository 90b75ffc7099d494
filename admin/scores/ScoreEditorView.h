#pragma once

#include "common/QuestionList.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace olv {

// The four boxes of the record being entered.
enum class ScoreBox
{
    Class,
    Name,
    ExamNumber,
    Score
};

// Where the keyboard focus is, as far as the Enter key cares.
enum class EditorFocus
{
    ClassBox,
    NameBox,
    ExamNumberBox,
    ScoreBox,
    AddButton,
    Elsewhere
};

// What the score database editor's rules need from its window. Texts of boxes and lines are GBK.
class ScoreEditorView
{
public:
    virtual ~ScoreEditorView() = default;

    virtual void showPath(const std::string& utf8Path) = 0;
    // The header line and one line per record; line n is record n.
    virtual void showLines(std::vector<RenderedLine> lines) = 0;
    // Shows the number after "记录号:", selects list line n and enables the four commands on the
    // current record only when n is not 0.
    virtual void showCurrent(std::size_t record) = 0;
    virtual std::string boxText(ScoreBox box) const = 0;
    // Why the boxes cannot be taken as typed (a character GBK cannot hold; UTF-8), or nothing.
    virtual std::optional<std::string> entryRefusal() const { return std::nullopt; }
    virtual void setBoxText(ScoreBox box, const std::string& text) = 0;
    virtual void setExamNumberEnabled(bool enabled) = 0;
    virtual void moveFocus(EditorFocus where) = 0;
    virtual void startProgress(std::size_t steps) = 0;
    virtual void advanceProgress() = 0;
    virtual void resetProgress() = 0;
    virtual void closeWindow() = 0;
};

} // namespace olv
