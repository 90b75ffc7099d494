#pragma once

#include "common/QuestionList.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace olv {

// A question list beside a list of one entry per question (entry i is question i + 1):
// a line leads to its question's entry, an entry to its question's first line.
class LinkedSelection
{
public:
    explicit LinkedSelection(const std::vector<RenderedLine>& lines);

    // The entry of the question a line belongs to; nothing for the lines above the first
    // question's heading walk (questionAtLine).
    std::optional<std::size_t> entryOfLine(std::size_t row) const;
    // The first line of the entry's question.
    std::size_t lineOfEntry(std::size_t entry) const { return m_firstLines.at(entry); }
    std::size_t entryCount() const { return m_firstLines.size(); }
    // Where a list opens: the first line of question 1, or the second line without questions.
    std::size_t openingLine() const { return m_firstLines.empty() ? 1 : m_firstLines.front(); }

private:
    const std::vector<RenderedLine>& m_lines;
    std::vector<std::size_t> m_firstLines; // per question, in number order
};

} // namespace olv
