// A class whose time runs out together: 60 exam machines (processes, each with its own drive D:)
// log in and hand in on one exam folder at the same moment. Reported: the time until the last
// record is written, the candidates' messages and the machines that could not finish.
// The argument is the lock wait budget in milliseconds; 0 is how the client behaved when
// every held lock counted as a failure at once.
#include "client/ExamRoom.h"
#include "platform/File.h"
#include "support/TestFiles.h"

#include <benchmark/benchmark.h>

namespace olv {
namespace {

constexpr int machines = 60;
constexpr int onRoster = 45;
constexpr int elsewhere = 3000;

void BM_ManyMachinesLogInAndHandIn(benchmark::State& state)
{
    const std::chrono::milliseconds previous = lockWaitBudget();
    setLockWaitBudget(std::chrono::milliseconds(state.range(0)));
    double messages = 0;
    double failed = 0;
    for (auto _ : state) {
        test::TempDir dir;
        const test::ExamRoom room(dir.path(), machines, onRoster, elsewhere);
        room.prepare();
        const test::ExamRoom::Outcome outcome = room.run();
        state.SetIterationTime(outcome.seconds);
        messages += outcome.messages;
        failed += outcome.failedMachines;
    }
    setLockWaitBudget(previous);
    state.counters["messages"] = benchmark::Counter(messages, benchmark::Counter::kAvgIterations);
    state.counters["unfinished"] = benchmark::Counter(failed, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ManyMachinesLogInAndHandIn)
    ->Arg(0)
    ->Arg(3000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace
} // namespace olv
