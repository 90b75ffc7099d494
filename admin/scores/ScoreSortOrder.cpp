#include "admin/scores/ScoreSortOrder.h"

#include "admin/scores/SelectionOrder.h"
#include "common/CNumbers.h"

#include <algorithm>
#include <string>

namespace olv {

namespace {

using Keys = std::vector<long long>;

Keys scoreKeys(const std::vector<ScoreRecord>& records)
{
    Keys keys;
    keys.reserve(records.size());
    for (const ScoreRecord& record : records)
        keys.push_back(cAtoi(record.scoreField));
    return keys;
}

// The rank of every record's text among all of them: equal texts share a rank, and ranks
// follow the byte-wise order of the texts.
Keys textRanks(const std::vector<ScoreRecord>& records, std::string ScoreRecord::*field, bool greatestFirst)
{
    std::vector<std::size_t> byText(records.size());
    for (std::size_t i = 0; i < byText.size(); ++i)
        byText[i] = i;
    std::ranges::sort(byText, [&](std::size_t a, std::size_t b) { return records[a].*field < records[b].*field; });
    Keys keys(records.size());
    long long rank = 0;
    for (std::size_t i = 0; i < byText.size(); ++i) {
        if (i > 0 && records[byText[i - 1]].*field != records[byText[i]].*field)
            ++rank;
        keys[byText[i]] = greatestFirst ? rank : -rank;
    }
    return keys;
}

// The second pass of the class orders: each run of equal class sorted again by `keys`.
void sortClassRuns(std::vector<std::size_t>& order, const Keys& classKeys, const Keys& keys)
{
    std::size_t first = 0;
    while (first < order.size()) {
        std::size_t last = first + 1;
        while (last < order.size() && classKeys[order[last]] == classKeys[order[first]])
            ++last;
        selectionOrder(order, first, last, keys);
        first = last;
    }
}

} // namespace

std::vector<std::size_t> scoreDisplayOrder(const std::vector<ScoreRecord>& records, ScoreSortOrder order)
{
    std::vector<std::size_t> positions(records.size());
    for (std::size_t i = 0; i < positions.size(); ++i)
        positions[i] = i;
    switch (order) {
    case ScoreSortOrder::Score:
        selectionOrder(positions, 0, positions.size(), scoreKeys(records));
        break;
    case ScoreSortOrder::ExamNumber:
        selectionOrder(positions, 0, positions.size(), textRanks(records, &ScoreRecord::examNumber, false));
        break;
    case ScoreSortOrder::ClassScore:
    case ScoreSortOrder::ClassExamNumber: {
        const Keys classKeys = textRanks(records, &ScoreRecord::schoolClass, true);
        selectionOrder(positions, 0, positions.size(), classKeys);
        sortClassRuns(positions, classKeys,
            order == ScoreSortOrder::ClassScore ? scoreKeys(records)
                                                : textRanks(records, &ScoreRecord::examNumber, false));
        break;
    }
    case ScoreSortOrder::FileOrder:
        break;
    }
    return positions;
}

} // namespace olv
