#pragma once

#include "admin/scores/ScoreEditorView.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace olv::test {

// Holds what the editor shows, and the boxes' texts as the examiner typed them.
class FakeScoreEditorView : public ScoreEditorView
{
public:
    void showPath(const std::string& utf8Path) override { path = utf8Path; }
    void showLines(std::vector<RenderedLine> shown) override { lines = std::move(shown); }
    void showCurrent(std::size_t record) override { current = record; }
    std::string boxText(ScoreBox box) const override { return boxes[index(box)]; }
    void setBoxText(ScoreBox box, const std::string& text) override { boxes[index(box)] = text; }
    void setExamNumberEnabled(bool enabled) override { examNumberEnabled = enabled; }
    void moveFocus(EditorFocus where) override { focus = where; }
    void startProgress(std::size_t) override { progress = 0; }
    void advanceProgress() override { ++progress; }
    void resetProgress() override { progressAdvanced = progress; }
    void closeWindow() override { closed = true; }

    // class, name, exam number, score (GBK)
    void type(std::array<std::string, 4> texts) { boxes = std::move(texts); }

    std::string path;
    std::vector<RenderedLine> lines;
    std::size_t current = 0;
    std::array<std::string, 4> boxes;
    bool examNumberEnabled = true;
    EditorFocus focus = EditorFocus::Elsewhere;
    std::size_t progress = 0;
    std::size_t progressAdvanced = 0;
    bool closed = false;

private:
    static std::size_t index(ScoreBox box) { return static_cast<std::size_t>(box); }
};

} // namespace olv::test
