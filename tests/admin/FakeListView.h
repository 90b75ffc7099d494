#pragma once

#include "admin/LineListView.h"

namespace olv::test {

// Records what the rules show, as the list window would hold it.
class FakeListView : public LineListView
{
public:
    void showLines(const std::vector<std::string>& shown, std::optional<std::size_t> selectedRow) override
    {
        lines = shown;
        selected = selectedRow && *selectedRow < shown.size() ? selectedRow : std::nullopt;
    }
    void closeView() override { closed = true; }

    std::vector<std::string> lines;
    std::optional<std::size_t> selected;
    bool closed = false;
};

} // namespace olv::test
