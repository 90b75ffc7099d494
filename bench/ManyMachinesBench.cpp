// A hall whose time runs out together: every exam machine (a process with its own drive D:, one
// exam folder for all) waits at one start gate, then logs in and hands in the moment it opens.
// Reported: the time until the last machine was done, the refused logins, the candidates'
// messages, the machines that could not finish and the score lines and answer records that are
// not there exactly once. The argument is the number of machines; three in four are on the
// roster, the others add themselves at login.
#include "admin/room/RoomSnapshot.h"
#include "client/ExamRoom.h"
#include "platform/Clock.h"
#include "support/TestFiles.h"

#include <benchmark/benchmark.h>

#include <optional>
#include <thread>

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

// A class of 60 with the invigilator's room view open on another machine: a process that reads
// the score database as the view does, every `range(0)` milliseconds (0: no view). The view
// reads every 5 s; 50 ms is the stress case of a view reading all through the hand-ins.
void BM_ManyMachinesWithRoomView(benchmark::State& state)
{
    constexpr int machines = 60;
    const auto period = std::chrono::milliseconds(state.range(0));
    test::ExamRoom::Outcome total;
    for (auto _ : state) {
        test::TempDir dir;
        const test::ExamRoom room(dir.path(), machines, machines * 3 / 4, elsewhere);
        room.prepare();
        std::optional<test::ChildProcess> view;
        if (period.count() > 0) {
            view.emplace([&room, period](test::ChildProcess::Link& link) {
                const SystemClock clock;
                RoomSnapshot snapshot(room.scoreFile(), clock);
                snapshot.refresh();
                link.ready();
                for (;;) {
                    std::this_thread::sleep_for(period);
                    snapshot.refresh();
                }
                return 0;
            });
            view->waitUntilReady();
        }
        const test::ExamRoom::Outcome outcome = room.run();
        if (view)
            view->kill();
        state.SetIterationTime(outcome.seconds);
        total.messages += outcome.messages;
        total.failedMachines += outcome.failedMachines;
        total.missingRecords += outcome.missingRecords;
    }
    const auto average = [](int sum) { return benchmark::Counter(sum, benchmark::Counter::kAvgIterations); };
    state.counters["messages"] = average(total.messages);
    state.counters["unfinished"] = average(total.failedMachines);
    state.counters["missing"] = average(total.missingRecords);
}
BENCHMARK(BM_ManyMachinesWithRoomView)
    ->Arg(0)
    ->Arg(5000)
    ->Arg(50)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
} // namespace olv
