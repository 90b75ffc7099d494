#pragma once

#include <cstddef>
#include <vector>

namespace olv {

// Rearranges order[first, last) exactly as this selection sort would, greatest key first:
//   for each place i: best = i; for j after i: if key(order[j]) > key(order[best]) best = j;
//   exchange order[i] and order[best]
// Among equal keys the entry met first from place i on wins, and the exchanges move the
// others about, so the result is not a stable sort. A segment tree over the places finds each
// best entry in O(log n). `keys` is indexed by the entries held in `order`.
void selectionOrder(
    std::vector<std::size_t>& order, std::size_t first, std::size_t last, const std::vector<long long>& keys);

} // namespace olv
