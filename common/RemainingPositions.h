#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace olv {

// Positions 0..n-1 from which positions are removed one at a time, addressed by their rank
// among those that remain, in O(log n) per removal. The positions are bits of 64-bit words and
// a Fenwick tree counts the bits left in each word: small enough to stay in cache for banks of
// hundreds of thousands of questions.
class RemainingPositions
{
public:
    explicit RemainingPositions(std::size_t count);

    std::size_t remaining() const { return m_remaining; }
    bool contains(std::size_t position) const { return (m_words[position / 64] >> (position % 64)) & 1u; }
    // Removes the remaining position of the given 0-based rank and returns it.
    std::size_t removeAt(std::size_t rank);

private:
    std::size_t findWord(std::size_t& rank) const;

    std::vector<std::uint64_t> m_words;
    std::vector<std::size_t> m_tree; // 1-based over the words: node i sums words (i - lowbit(i), i]
    std::size_t m_remaining;
};

} // namespace olv
