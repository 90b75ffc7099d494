#include "common/RemainingPositions.h"

#include <gtest/gtest.h>
#include <numeric>
#include <random>
#include <vector>

namespace olv {
namespace {

// Sizes around the 64-position words and the padding to a power of two of them.
const std::size_t sizes[] = { 0, 1, 2, 63, 64, 65, 127, 128, 129, 200, 4095, 4097 };

TEST(RemainingPositionsTest, RemovesByRankLikeErasingFromAList)
{
    std::mt19937 generator(99);
    for (std::size_t size : sizes) {
        RemainingPositions positions(size);
        std::vector<std::size_t> list(size);
        std::iota(list.begin(), list.end(), 0);
        while (!list.empty()) {
            const std::size_t rank = std::uniform_int_distribution<std::size_t>(0, list.size() - 1)(generator);
            ASSERT_EQ(positions.removeAt(rank), list[rank]) << "size " << size;
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(rank));
            ASSERT_EQ(positions.remaining(), list.size());
        }
        for (std::size_t position = 0; position < size; ++position)
            EXPECT_FALSE(positions.contains(position));
    }
}

TEST(RemainingPositionsTest, RefusesARankBeyondTheRemaining)
{
    RemainingPositions positions(3);
    EXPECT_THROW(positions.removeAt(3), std::out_of_range);
    RemainingPositions none(0);
    EXPECT_THROW(none.removeAt(0), std::out_of_range);
}

} // namespace
} // namespace olv
