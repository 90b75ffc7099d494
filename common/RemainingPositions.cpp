#include "common/RemainingPositions.h"

#include <bit>
#include <stdexcept>

namespace olv {

namespace {

std::size_t lowBit(std::size_t i) { return i & (~i + 1); }

// Index of the set bit of the given 0-based rank.
std::size_t selectBit(std::uint64_t word, std::size_t rank)
{
    for (; rank != 0; --rank)
        word &= word - 1;
    return static_cast<std::size_t>(std::countr_zero(word));
}

} // namespace

// The words are padded with empty ones to a power of two, so the search below never leaves the
// tree and needs no bounds test.
RemainingPositions::RemainingPositions(std::size_t count)
    : m_words(std::bit_ceil((count + 63) / 64))
    , m_tree(m_words.size() + 1)
    , m_remaining(count)
{
    for (std::size_t i = 0; i < count / 64; ++i)
        m_words[i] = ~std::uint64_t { 0 };
    if (count % 64 != 0)
        m_words[count / 64] = (std::uint64_t { 1 } << (count % 64)) - 1;
    for (std::size_t i = 1; i < m_tree.size(); ++i) {
        m_tree[i] += static_cast<std::size_t>(std::popcount(m_words[i - 1]));
        const std::size_t parent = i + lowBit(i);
        if (parent < m_tree.size())
            m_tree[parent] += m_tree[i];
    }
}

std::size_t RemainingPositions::removeAt(std::size_t rank)
{
    if (rank >= m_remaining)
        throw std::out_of_range("RemainingPositions::removeAt");
    const std::size_t word = findWord(rank);
    const std::size_t bit = selectBit(m_words[word], rank);
    m_words[word] &= ~(std::uint64_t { 1 } << bit);
    for (std::size_t i = word + 1; i < m_tree.size(); i += lowBit(i))
        --m_tree[i];
    --m_remaining;
    return word * 64 + bit;
}

// Binary lifting over the tree: skips whole prefixes of words while they hold no more than
// `rank` positions; leaves in `rank` the rank inside the word found.
std::size_t RemainingPositions::findWord(std::size_t& rank) const
{
    std::size_t prefix = 0;
    for (std::size_t step = m_words.size() / 2; step != 0; step >>= 1) {
        if (m_tree[prefix + step] <= rank) {
            prefix += step;
            rank -= m_tree[prefix];
        }
    }
    return prefix;
}

} // namespace olv
