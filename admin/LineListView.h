#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace olv {

// The window of a list tool (the score list, the answer analysis): one list of text lines.
class LineListView
{
public:
    virtual ~LineListView() = default;

    // Shows the lines (GBK), with `selectedRow` selected when it names one of them. Filling the
    // list is no change of the examiner's selection.
    virtual void showLines(const std::vector<std::string>& lines, std::optional<std::size_t> selectedRow) = 0;
    virtual void closeView() = 0;
};

} // namespace olv
