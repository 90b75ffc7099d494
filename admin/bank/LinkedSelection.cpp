#include "admin/bank/LinkedSelection.h"

namespace olv {

LinkedSelection::LinkedSelection(const std::vector<RenderedLine>& lines)
    : m_lines(lines)
{
    for (std::size_t row = 0; row < lines.size(); ++row)
        if (lines[row].tag != noQuestionTag)
            m_firstLines.push_back(row);
}

std::optional<std::size_t> LinkedSelection::entryOfLine(std::size_t row) const
{
    const auto question = questionAtLine(m_lines, row);
    if (!question || *question < 1 || static_cast<std::size_t>(*question) > m_firstLines.size())
        return std::nullopt;
    return static_cast<std::size_t>(*question - 1);
}

} // namespace olv
