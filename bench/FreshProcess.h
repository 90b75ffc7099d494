#pragma once

// What a person meets is the first call in a program just started: nothing allocated yet, no
// page of the heap touched. A fresh process is a forked child that gives back what the
// benchmark process freed before it, prepares untimed, then times one call on the wall clock.
#include "support/ChildProcess.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <malloc.h>
#include <stdexcept>
#include <unistd.h>

namespace olv {

// The wall-clock seconds of `timed`, run once in a fresh child after `prepare`.
inline double freshProcessSeconds(const std::function<void()>& prepare, const std::function<void()>& timed)
{
    int pipe[2];
    if (::pipe(pipe) != 0)
        throw std::runtime_error("cannot create a pipe");
    test::ChildProcess child([&](test::ChildProcess::Link&) {
        ::close(pipe[0]);
        ::malloc_trim(0);
        prepare();
        const auto start = std::chrono::steady_clock::now();
        timed();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return ::write(pipe[1], &seconds, sizeof seconds) == sizeof seconds ? 0 : 1;
    });
    ::close(pipe[1]);
    double seconds = -1;
    const bool received = ::read(pipe[0], &seconds, sizeof seconds) == sizeof seconds;
    ::close(pipe[0]);
    if (child.wait() != 0 || !received)
        throw std::runtime_error("the fresh process failed");
    return seconds;
}

// Each iteration one fresh process: the benchmark's time is that first call's wall time.
inline void measureFresh(
    benchmark::State& state, const std::function<void()>& prepare, const std::function<void()>& timed)
{
    double slowest = 0;
    for (auto _ : state) {
        const double seconds = freshProcessSeconds(prepare, timed);
        state.SetIterationTime(seconds);
        slowest = std::max(slowest, seconds);
    }
    state.counters["slowestMs"] = slowest * 1e3;
}

// The same call again and again in this process, on the wall clock: the warm figure.
inline void measureWarm(benchmark::State& state, const std::function<void()>& timed)
{
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        timed();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

} // namespace olv
