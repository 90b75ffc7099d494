#pragma once

#include "common/PaperDrawing.h"

#include <cstddef>
#include <vector>

namespace olv::test {

// The drawing exactly as described, one erase per removed question: slow, but plainly right.
// The faster drawQuestions must agree with it in every outcome and in the draws it makes.
template <typename Element>
void referenceDrawList(std::vector<Element>& list, int wanted, DrawMode mode, PaperRandom& random)
{
    int n = static_cast<int>(list.size());
    if (wanted > n || wanted < 0)
        wanted = n;
    while (n > wanted) {
        const int position = mode == DrawMode::BankOrder ? n - 1 : random.draw() % n;
        list.erase(list.begin() + position);
        --n;
    }
}

inline NumberedQuestionLists referenceDraw(
    NumberedQuestionLists lists, const KindCounts& wanted, DrawMode mode, PaperRandom& random)
{
    for (std::size_t kind = 0; kind < lists.size(); ++kind)
        referenceDrawList(lists[kind], wanted[kind], mode, random);
    return lists;
}

} // namespace olv::test
