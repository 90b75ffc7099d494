#include "admin/answers/AnswerAnalysisViewer.h"

#include "admin/answers/AnswerAnalysis.h"
#include "common/AnswerRecord.h"
#include "common/Prompter.h"

#include <new>

namespace olv {

AnswerAnalysisViewer::AnswerAnalysisViewer(std::filesystem::path answerFile, Prompter& prompter, LineListView& view)
    : m_answerFile(std::move(answerFile))
    , m_prompter(prompter)
    , m_list(view, prompter)
{ }

bool AnswerAnalysisViewer::read()
{
    TextLines read;
    try {
        read = readAnswerLines(m_answerFile, longestAnswerLine);
    } catch (const std::bad_alloc&) {
        // A sheet larger than the memory counts as unreadable: a message, never the end of the program.
        return false;
    }
    if (read.result != FileResult::Done)
        return false;
    m_answerLines = std::move(read.lines);
    reportOverlong(read.overlong);
    return true;
}

void AnswerAnalysisViewer::reportOverlong(const std::vector<std::size_t>& lineNumbers)
{
    const std::string file = "答题卷文件" + m_answerFile.string();
    const std::size_t shown = std::min(lineNumbers.size(), overlongLineMessages);
    for (std::size_t i = 0; i < shown; ++i)
        m_prompter.message(file + "第" + std::to_string(lineNumbers[i]) + "条记录数据错误:内容太长,不显示此条记录");
    if (lineNumbers.size() > shown)
        m_prompter.message(
            file + "另有" + std::to_string(lineNumbers.size() - shown) + "条记录数据错误,不显示这些记录");
}

void AnswerAnalysisViewer::load()
{
    if (!read()) {
        m_prompter.message(
            "不能打开存储答题情况的文件:" + m_answerFile.string() + "\n可能是文件中还没有考生答题情况的记录");
        m_list.close();
        return;
    }
    display();
}

void AnswerAnalysisViewer::reload()
{
    if (!read()) {
        m_prompter.message("不能打开答题卷" + m_answerFile.string());
        return;
    }
    display();
}

void AnswerAnalysisViewer::display()
{
    if (m_answerLines.empty()) {
        m_prompter.message("没有记录");
        m_list.close();
        return;
    }
    m_list.show(answerAnalysisLines(m_answerLines));
}

void AnswerAnalysisViewer::hideSelected()
{
    const std::optional<std::size_t> row = m_list.selectedRow();
    if (!row || *row < firstCandidateRow || *row >= firstCandidateRow + m_answerLines.size()) {
        m_prompter.message("请选择答题记录");
        return;
    }
    m_answerLines.erase(m_answerLines.begin() + static_cast<std::ptrdiff_t>(*row - firstCandidateRow));
    display();
}

} // namespace olv
