#include "admin/answers/AnswerAnalysis.h"
#include "admin/scores/ScoreList.h"
#include "common/TextFields.h"
#include "support/ReferenceScoreOrder.h"

#include <benchmark/benchmark.h>
#include <random>
#include <string>
#include <vector>

namespace olv {
namespace {

// A county-wide score database: 40 classes, every candidate handed in, a few still in the exam
// or not yet started, so the scores tie a lot.
std::vector<ScoreRecord> scoreDatabase(std::size_t count)
{
    std::mt19937 random(7);
    std::vector<ScoreRecord> records;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned roll = random() % 100;
        const std::string score = roll < 3 ? blankScoreField()
            : roll < 5                     ? loginMark()
                                           : padRight(std::to_string(random() % 101), scoreFieldWidth);
        records.push_back({ padRight("class" + std::to_string(random() % 40), schoolClassWidth),
            padRight("name" + std::to_string(i), nameWidth),
            padRight(std::to_string(20240000 + random() % (count * 2)), examNumberWidth), score });
    }
    return records;
}

void displayOrder(benchmark::State& state)
{
    const std::vector<ScoreRecord> records = scoreDatabase(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(scoreDisplayOrder(records, ScoreSortOrder::Score));
}

// Seconds at 20,000 records: the quadratic sort the order must match.
void displayOrderReference(benchmark::State& state)
{
    const std::vector<ScoreRecord> records = scoreDatabase(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(test::referenceScoreOrder(records, ScoreSortOrder::Score));
}

// Everything a display computes: the order, the columns, the lines and the statistics.
void wholeDisplay(benchmark::State& state)
{
    const std::vector<ScoreRecord> records = scoreDatabase(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(scoreListLines(records, ScoreSortOrder::ClassScore));
}

void answerAnalysis(benchmark::State& state)
{
    const std::size_t candidates = static_cast<std::size_t>(state.range(0));
    const std::size_t questions = static_cast<std::size_t>(state.range(1));
    std::mt19937 random(3);
    std::vector<std::string> sheet;
    sheet.reserve(candidates);
    for (std::size_t i = 0; i < candidates; ++i) {
        std::string line = padRight(std::to_string(random() % 101), 3) + padRight(std::to_string(i), 14);
        for (std::size_t k = 0; k < questions; ++k)
            line += "*RE"[random() % 3];
        sheet.push_back(line + "\r");
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(answerAnalysisLines(sheet));
}

BENCHMARK(displayOrder)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(displayOrderReference)->Arg(20000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(wholeDisplay)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(answerAnalysis)->Args({ 10000, 5000 })->Unit(benchmark::kMillisecond);

} // namespace
} // namespace olv
