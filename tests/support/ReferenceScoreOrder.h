#pragma once

#include "admin/scores/ScoreSortOrder.h"
#include "common/CNumbers.h"

#include <cstring>
#include <functional>
#include <utility>
#include <vector>

namespace olv::test {

// The score list's selection sort exactly as described, quadratic: for each place the first
// strictly best entry from there on is exchanged into it; the class orders sort each run of
// equal class again. The fast display order must agree with it entry for entry.
inline std::vector<std::size_t> referenceScoreOrder(const std::vector<ScoreRecord>& records, ScoreSortOrder order)
{
    std::vector<std::size_t> positions(records.size());
    for (std::size_t i = 0; i < positions.size(); ++i)
        positions[i] = i;
    using Better = std::function<bool(const ScoreRecord&, const ScoreRecord&)>;
    auto selectionSort = [&](std::size_t first, std::size_t last, const Better& better) {
        for (std::size_t i = first; i + 1 < last; ++i) {
            std::size_t best = i;
            for (std::size_t j = i + 1; j < last; ++j) {
                if (better(records[positions[j]], records[positions[best]]))
                    best = j;
            }
            std::swap(positions[i], positions[best]);
        }
    };
    const Better higherScore
        = [](const ScoreRecord& a, const ScoreRecord& b) { return cAtoi(a.scoreField) > cAtoi(b.scoreField); };
    const Better smallerExamNumber = [](const ScoreRecord& a, const ScoreRecord& b) {
        return std::strcmp(a.examNumber.c_str(), b.examNumber.c_str()) < 0;
    };
    const Better greaterClass = [](const ScoreRecord& a, const ScoreRecord& b) {
        return std::strcmp(a.schoolClass.c_str(), b.schoolClass.c_str()) > 0;
    };
    switch (order) {
    case ScoreSortOrder::Score:
        selectionSort(0, positions.size(), higherScore);
        break;
    case ScoreSortOrder::ExamNumber:
        selectionSort(0, positions.size(), smallerExamNumber);
        break;
    case ScoreSortOrder::ClassScore:
    case ScoreSortOrder::ClassExamNumber:
        selectionSort(0, positions.size(), greaterClass);
        for (std::size_t first = 0, last = 0; first < positions.size(); first = last) {
            last = first + 1;
            while (last < positions.size()
                && records[positions[last]].schoolClass == records[positions[first]].schoolClass)
                ++last;
            selectionSort(first, last, order == ScoreSortOrder::ClassScore ? higherScore : smallerExamNumber);
        }
        break;
    case ScoreSortOrder::FileOrder:
        break;
    }
    return positions;
}

} // namespace olv::test
