#include "common/PaperDrawing.h"
#include "support/ReferenceDraw.h"

#include <benchmark/benchmark.h>
#include <numeric>
#include <vector>

namespace olv {
namespace {

constexpr int bankSize = 200000;
constexpr int wanted = 50;

// One kind of light questions, so the cost measured is the drawing itself.
const NumberedQuestionLists& largeBank()
{
    static const NumberedQuestionLists lists = [] {
        NumberedQuestionLists result;
        for (int i = 1; i <= bankSize; ++i)
            result[0].push_back({ Question { QuestionKind::SingleChoice, "q", { "a", "b", "c", "d" }, "A" }, i });
        return result;
    }();
    return lists;
}

template <typename Draw>
void drawFromLargeBank(benchmark::State& state, Draw draw)
{
    std::uint32_t seed = 1;
    for (auto _ : state) {
        state.PauseTiming();
        NumberedQuestionLists lists = largeBank();
        PaperRandom random(seed++);
        state.ResumeTiming();
        const NumberedQuestionLists drawn = draw(std::move(lists), random);
        benchmark::DoNotOptimize(drawn);
    }
}

void drawQuestionsReal(benchmark::State& state)
{
    drawFromLargeBank(state, [](NumberedQuestionLists lists, PaperRandom& random) {
        return drawQuestions(std::move(lists), { wanted, 0, 0 }, DrawMode::Random, random);
    });
}

// Minutes: every removal shifts up to 200,000 questions.
void drawQuestionsReference(benchmark::State& state)
{
    drawFromLargeBank(state, [](NumberedQuestionLists lists, PaperRandom& random) {
        return test::referenceDraw(std::move(lists), { wanted, 0, 0 }, DrawMode::Random, random);
    });
}

// The reference shifting bare bank numbers instead of questions: the cheapest form of the
// one-removal-at-a-time procedure, so the ratio to it is the least the real one gains.
void drawQuestionsReferenceOnNumbers(benchmark::State& state)
{
    std::uint32_t seed = 1;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<int> numbers(bankSize);
        std::iota(numbers.begin(), numbers.end(), 1);
        PaperRandom random(seed++);
        state.ResumeTiming();
        test::referenceDrawList(numbers, wanted, DrawMode::Random, random);
        benchmark::DoNotOptimize(numbers);
    }
}

BENCHMARK(drawQuestionsReal)->Unit(benchmark::kMillisecond);
BENCHMARK(drawQuestionsReference)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(drawQuestionsReferenceOnNumbers)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace olv
