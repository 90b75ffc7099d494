#include "bench/BenchBank.h"
#include "common/QuestionBankFile.h"
#include "platform/File.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <limits>

namespace olv {
namespace {

// The fastest single read of each kind over all runs: other work on the machine only ever
// adds time, so the minimums give the steadiest ratio.
double fastestByteRead = std::numeric_limits<double>::infinity();
double fastestBankRead = std::numeric_limits<double>::infinity();

// Times the reads alone: freeing what they returned is left out of both benchmarks.
template <typename Read>
void timeReads(benchmark::State& state, double& fastest, Read read)
{
    for (auto _ : state) {
        const double start = threadSeconds();
        auto result = read();
        const double elapsed = threadSeconds() - start;
        benchmark::DoNotOptimize(result);
        state.SetIterationTime(elapsed);
        fastest = std::min(fastest, elapsed);
    }
}

void BM_ReadBankBytes(benchmark::State& state)
{
    const auto& fixture = bankFixture();
    timeReads(state, fastestByteRead, [&] {
        auto file = File::open(fixture.bankPath(), OpenMode::ReadOnly, Sharing::Exclusive);
        return file->readAll();
    });
    state.SetBytesProcessed(state.iterations() * fixture.size());
}
BENCHMARK(BM_ReadBankBytes)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ReadQuestionBank(benchmark::State& state)
{
    const auto& fixture = bankFixture();
    timeReads(state, fastestBankRead, [&] { return readQuestionBank(fixture.bankPath(), fixture.temporaryPath()); });
    state.SetBytesProcessed(state.iterations() * fixture.size());
    state.counters["questions"] = static_cast<double>(benchQuestionCount);
    if (std::isfinite(fastestByteRead)) // the byte read runs first unless filtered out
        state.counters["fastestRatioToByteRead"] = fastestBankRead / fastestByteRead;
}
BENCHMARK(BM_ReadQuestionBank)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace olv
