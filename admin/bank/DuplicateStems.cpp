#include "admin/bank/DuplicateStems.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace olv {

namespace {

constexpr std::size_t none = std::numeric_limits<std::size_t>::max();

} // namespace

bool isDuplicateStem(std::string_view first, std::string_view second)
{
    const std::size_t shorter = std::min(first.size(), second.size());
    return first.substr(0, shorter) == second.substr(0, shorter);
}

std::vector<std::optional<std::size_t>> earlierDuplicateStems(const std::vector<Question>& questions)
{
    // In sorted order, the stems that begin with a stem s follow s as one run, and every stem
    // that s begins with comes before s. A walk with a stack of nested prefixes therefore sees
    // a stem's prefixes on the stack and its extensions as the entries pushed above it.
    const std::size_t count = questions.size();
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t { 0 });
    const auto stem = [&](std::size_t index) -> std::string_view { return questions[index].stem; };
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int compared = stem(a).compare(stem(b));
        return compared != 0 ? compared < 0 : a < b;
    });

    std::vector<std::size_t> prefixMinimum(count, none); // lowest index among the stems a stem begins with
    std::vector<std::size_t> extensionMinimum(count, none); // lowest index among the stems beginning with it
    struct Entry
    {
        std::size_t index;
        std::size_t minimumBelow; // lowest index of this entry and the entries under it
    };
    std::vector<Entry> stack;
    const auto pop = [&] {
        const Entry top = stack.back();
        stack.pop_back();
        if (!stack.empty()) {
            auto& parent = extensionMinimum[stack.back().index];
            parent = std::min({ parent, top.index, extensionMinimum[top.index] });
        }
    };
    for (std::size_t index : order) {
        while (!stack.empty() && !stem(index).starts_with(stem(stack.back().index)))
            pop();
        prefixMinimum[index] = stack.empty() ? none : stack.back().minimumBelow;
        stack.push_back({ index, std::min(index, prefixMinimum[index]) });
    }
    while (!stack.empty())
        pop();

    std::vector<std::optional<std::size_t>> earlier(count);
    for (std::size_t index = 0; index < count; ++index) {
        const std::size_t first = std::min(prefixMinimum[index], extensionMinimum[index]);
        if (first < index)
            earlier[index] = first;
    }
    return earlier;
}

} // namespace olv
