#include "admin/scores/SelectionOrder.h"

#include <utility>

namespace olv {

namespace {

// A bottom-up segment tree over the places of one range: every node holds the place of the
// first best entry below it. Entries move between places, so keys are read through `order`.
class BestPlaceTree
{
public:
    BestPlaceTree(
        const std::vector<std::size_t>& order, std::size_t first, std::size_t count, const std::vector<long long>& keys)
        : m_order(order)
        , m_first(first)
        , m_count(count)
        , m_keys(keys)
        , m_nodes(2 * count)
    {
        for (std::size_t place = 0; place < count; ++place)
            m_nodes[count + place] = place;
        for (std::size_t node = count; node-- > 1;)
            m_nodes[node] = better(m_nodes[2 * node], m_nodes[2 * node + 1]);
    }

    // The first best place among [from, count).
    std::size_t bestFrom(std::size_t from) const
    {
        std::size_t best = from;
        for (std::size_t low = from + m_count, high = 2 * m_count; low < high; low /= 2, high /= 2) {
            if (low & 1)
                best = better(best, m_nodes[low++]);
            if (high & 1)
                best = better(best, m_nodes[--high]);
        }
        return best;
    }

    // The entry at `place` changed.
    void update(std::size_t place)
    {
        for (std::size_t node = (place + m_count) / 2; node >= 1; node /= 2)
            m_nodes[node] = better(m_nodes[2 * node], m_nodes[2 * node + 1]);
    }

private:
    std::size_t better(std::size_t a, std::size_t b) const
    {
        const long long keyA = m_keys[m_order[m_first + a]];
        const long long keyB = m_keys[m_order[m_first + b]];
        if (keyA != keyB)
            return keyA > keyB ? a : b;
        return a < b ? a : b;
    }

    const std::vector<std::size_t>& m_order;
    std::size_t m_first;
    std::size_t m_count;
    const std::vector<long long>& m_keys;
    std::vector<std::size_t> m_nodes;
};

} // namespace

void selectionOrder(
    std::vector<std::size_t>& order, std::size_t first, std::size_t last, const std::vector<long long>& keys)
{
    if (last <= first + 1)
        return;
    const std::size_t count = last - first;
    BestPlaceTree tree(order, first, count, keys);
    for (std::size_t place = 0; place + 1 < count; ++place) {
        const std::size_t best = tree.bestFrom(place);
        if (best == place)
            continue;
        std::swap(order[first + place], order[first + best]);
        // The place just filled is never asked about again; the best's place now holds another entry.
        tree.update(best);
    }
}

} // namespace olv
