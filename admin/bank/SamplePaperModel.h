#pragma once

#include "admin/bank/LinkedSelection.h"
#include "common/ExamSettings.h"
#include "common/Prompter.h"
#include "common/QuestionList.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace olv {

// What the sample paper rules change in the window.
class SamplePaperView
{
public:
    virtual ~SamplePaperView() = default;
    virtual void selectLine(std::size_t row) = 0;
    virtual void selectEntry(std::size_t entry) = 0;
    virtual void disablePaperOutput() = 0;
    virtual void disableKeyOutput() = 0;
};

// Reads the bank the settings name (through "stk.bak") and draws the sample paper at `now`;
// nothing, after telling the user, when the bank cannot be read.
std::optional<QuestionBank> loadSamplePaper(const ExamSettings& settings, std::int64_t now, Prompter& prompter);

// The sample paper with its answers: the two linked lists and the two text outputs, each
// written at most once.
class SamplePaperModel
{
public:
    SamplePaperModel(const ExamSettings& settings, QuestionBank paper, SamplePaperView& view, Prompter& prompter);

    const std::vector<RenderedLine>& questionLines() const { return m_lines; }
    const ExamSettings& settings() const { return m_settings; }
    const QuestionBank& paper() const { return m_paper; }
    // One line per answer entry, tagged with its question number.
    std::vector<RenderedLine> answerLines() const;
    void open();

    void lineSelected(std::size_t row);
    void entrySelected(std::size_t entry);
    // "生成笔试试卷" and "生成标准答案".
    void writePaper();
    void writeKey();

private:
    // False when the user cancelled before anything was written.
    bool writeOutput(const std::vector<std::string>& lines);

    ExamSettings m_settings;
    QuestionBank m_paper;
    std::vector<RenderedLine> m_lines;
    LinkedSelection m_selection;
    SamplePaperView& m_view;
    Prompter& m_prompter;
};

} // namespace olv
