// A class whose time runs out together: 60 exam machines (processes, each with its own drive D:)
// log in and hand in on one exam folder at the same moment. Reported: the time until the last
// record is written, the candidates' messages and the machines that could not finish.
// The argument is the lock wait budget in milliseconds; 0 is how the client behaved when
// every held lock counted as a failure at once.
#include "admin/room/RoomSnapshot.h"
#include "client/ExamRoom.h"
#include "platform/Clock.h"
#include "platform/File.h"
#include "support/TestFiles.h"

#include <benchmark/benchmark.h>

#include <thread>

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

// The same class with the invigilator's room view open on another machine: a process that reads
// the score database as the view does, every `range(0)` milliseconds (0: no view). The view
// reads every 5 s; 50 ms is the stress case of a view reading all through the hand-ins.
void BM_ManyMachinesWithRoomView(benchmark::State& state)
{
    const std::chrono::milliseconds previous = lockWaitBudget();
    setLockWaitBudget(std::chrono::milliseconds(3000));
    const auto period = std::chrono::milliseconds(state.range(0));
    double messages = 0;
    double failed = 0;
    for (auto _ : state) {
        test::TempDir dir;
        const test::ExamRoom room(dir.path(), machines, onRoster, elsewhere);
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
        messages += outcome.messages;
        failed += outcome.failedMachines;
    }
    setLockWaitBudget(previous);
    state.counters["messages"] = benchmark::Counter(messages, benchmark::Counter::kAvgIterations);
    state.counters["unfinished"] = benchmark::Counter(failed, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ManyMachinesWithRoomView)
    ->Arg(0)
    ->Arg(5000)
    ->Arg(50)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace
} // namespace olv
