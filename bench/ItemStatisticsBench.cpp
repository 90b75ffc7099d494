#include "admin/answers/ItemStatistics.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace olv {
namespace {

// An answer sheet of a large bank: every candidate drew a random tenth of the questions, and the
// first 20 questions were on every paper.
std::vector<std::string> answerSheet(std::size_t candidates, std::size_t questions)
{
    std::mt19937 random(11);
    std::vector<std::string> lines;
    lines.reserve(candidates);
    for (std::size_t i = 0; i < candidates; ++i) {
        char head[18];
        std::snprintf(head, sizeof head, "%-3u%-14zu", static_cast<unsigned>(random() % 101), 20240000 + i);
        std::string line(head);
        line.reserve(line.size() + questions + 1);
        for (std::size_t k = 0; k < questions; ++k) {
            const unsigned roll = random() % 20;
            line += k < 20 || roll < 2 ? (random() % 3 != 0 ? 'R' : 'E') : '*';
        }
        line += '\r';
        lines.push_back(std::move(line));
    }
    return lines;
}

void itemStatisticsOfASheet(benchmark::State& state)
{
    const std::vector<std::string> sheet
        = answerSheet(static_cast<std::size_t>(state.range(0)), static_cast<std::size_t>(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(itemStatistics(sheet));
}

// Under a second at 10,000 candidates and 5,000 questions.
BENCHMARK(itemStatisticsOfASheet)->Args({ 10000, 5000 })->Unit(benchmark::kMillisecond);

} // namespace
} // namespace olv
