#include "admin/scores/ScoreSortOrder.h"

#include "admin/scores/SelectionOrder.h"
#include "common/CNumbers.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>

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
    // Each distinct text is sorted once: a list of 100,000 candidates holds a few dozen classes.
    std::unordered_map<std::string_view, std::size_t> idOfText;
    idOfText.reserve(records.size());
    std::vector<std::string_view> texts;
    std::vector<std::size_t> ids(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string_view text = records[i].*field;
        const auto [found, added] = idOfText.try_emplace(text, texts.size());
        if (added)
            texts.push_back(text);
        ids[i] = found->second;
    }
    std::vector<std::size_t> byText(texts.size());
    for (std::size_t id = 0; id < byText.size(); ++id)
        byText[id] = id;
    std::ranges::sort(byText, [&](std::size_t a, std::size_t b) { return texts[a] < texts[b]; });
    std::vector<long long> rankOfId(texts.size());
    for (std::size_t rank = 0; rank < byText.size(); ++rank)
        rankOfId[byText[rank]] = static_cast<long long>(rank);
    Keys keys(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        keys[i] = greatestFirst ? rankOfId[ids[i]] : -rankOfId[ids[i]];
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
