#pragma once

#include <functional>
#include <sys/types.h>

namespace olv::test {

// A forked copy of the test process that runs one function and ends with its return
// value. The child never returns into the test framework: it leaves with _exit, so
// gtest assertions inside it count for nothing; report through the exit code instead.
// Two pipes connect the two: the child says "ready" once, the parent says "go" once.
class ChildProcess
{
public:
    // What the child's function uses to talk to its parent.
    class Link
    {
    public:
        // Tells the parent that the child has reached the point it is waiting for.
        void ready();
        // Blocks until the parent calls go() or ends.
        void waitForGo();

    private:
        friend class ChildProcess;
        Link(int readyFd, int goFd)
            : m_readyFd(readyFd)
            , m_goFd(goFd)
        { }
        int m_readyFd;
        int m_goFd;
    };

    explicit ChildProcess(const std::function<int(Link&)>& body);
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&&) = delete;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // Kills and reaps a child that still runs.
    ~ChildProcess();

    // True once the child called ready(); false when it ended without doing so.
    bool waitUntilReady();
    void go();
    void kill();
    // The exit code, or 128 + the signal number when a signal ended the child.
    int wait();

private:
    pid_t m_pid = -1;
    int m_readyFd = -1; // parent's reading end
    int m_goFd = -1; // parent's writing end
    int m_status = -1;
};

} // namespace olv::test
