// A hall whose time runs out together: every exam machine (a process with its own drive D:, one
// exam folder for all) waits at one start gate, then logs in and hands in the moment it opens.
// Reported: the time until the last machine was done, the refused logins, the candidates'
// messages, the machines that could not finish and the score lines and answer records that are
// not there exactly once. The argument is the number of machines; three in four are on the
// roster, the others add themselves at login.
#include "client/ExamRoom.h"
#include "support/TestFiles.h"

#include <benchmark/benchmark.h>

namespace olv {
namespace {

// Candidates of other rooms on the same roster: every lookup reads past them.
constexpr int elsewhere = 3000;

void BM_ManyMachinesLogInAndHandIn(benchmark::State& state)
{
    const int machines = static_cast<int>(state.range(0));
    test::ExamRoom::Outcome total;
    for (auto _ : state) {
        test::TempDir dir;
        const test::ExamRoom room(dir.path(), machines, machines * 3 / 4, elsewhere);
        room.prepare();
        const test::ExamRoom::Outcome outcome = room.run();
        state.SetIterationTime(outcome.seconds);
        total.refusedLogins += outcome.refusedLogins;
        total.messages += outcome.messages;
        total.failedMachines += outcome.failedMachines;
        total.missingRecords += outcome.missingRecords;
    }
    const auto average = [](int sum) { return benchmark::Counter(sum, benchmark::Counter::kAvgIterations); };
    state.counters["refused"] = average(total.refusedLogins);
    state.counters["messages"] = average(total.messages);
    state.counters["unfinished"] = average(total.failedMachines);
    state.counters["missing"] = average(total.missingRecords);
}
BENCHMARK(BM_ManyMachinesLogInAndHandIn)
    ->Arg(60)
    ->Arg(240)
    ->Arg(480)
    ->Arg(1000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
} // namespace olv
