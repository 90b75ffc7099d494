#include "admin/scores/ScoreDatabaseSave.h"

#include <benchmark/benchmark.h>

namespace olv {
namespace {

std::string storedLine(int number, const std::string& score)
{
    return swapLineBytePairs(formatScoreLine(paddedRecord({ "class", "name", std::to_string(number), score })));
}

// A roster of `count` candidates loaded with blank scores, of which every tenth has been marked by
// a machine since, and a tenth more appended by candidates at login: the comparison a save makes.
void carryOver(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    std::vector<std::string> loaded;
    std::vector<std::string> current;
    std::vector<EditedRecord> records;
    for (int i = 0; i < count; ++i) {
        loaded.push_back(storedLine(i, ""));
        current.push_back(storedLine(i, i % 10 == 0 ? "85" : ""));
        records.push_back({ paddedRecord({ "class", "name", std::to_string(i), "" }), static_cast<std::size_t>(i) });
    }
    for (int i = count; i < count + count / 10; ++i)
        current.push_back(storedLine(i, "85"));
    for (auto _ : state)
        benchmark::DoNotOptimize(carryOverMachineChanges(loaded, records, current));
    state.SetItemsProcessed(state.iterations() * count);
}

BENCHMARK(carryOver)->Arg(50)->Arg(5000)->Arg(200000);

} // namespace
} // namespace olv
