#include "support/ChildProcess.h"

#include "platform/Posix.h"

#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace olv::test {

namespace {

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// One byte through a pipe: true when it came, false at the end of the pipe.
bool receiveByte(int fd)
{
    char byte;
    return posix::retryOnInterrupt([&] { return ::read(fd, &byte, 1); }) == 1;
}

void sendByte(int fd)
{
    const char byte = 1;
    posix::retryOnInterrupt([&] { return ::write(fd, &byte, 1); });
}

[[noreturn]] void runChild(const std::function<int(ChildProcess::Link&)>& body, ChildProcess::Link& link, pid_t parent)
{
    // A child must not outlive a test that crashed or was killed.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent)
        ::_exit(126);
    int code = 127;
    try {
        code = body(link);
    } catch (...) { }
    ::_exit(code);
}

} // namespace

void ChildProcess::Link::ready() { sendByte(m_readyFd); }

void ChildProcess::Link::waitForGo() { receiveByte(m_goFd); }

ChildProcess::ChildProcess(const std::function<int(Link&)>& body)
{
    int readyPipe[2];
    int goPipe[2];
    if (::pipe2(readyPipe, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot create a pipe");
    if (::pipe2(goPipe, O_CLOEXEC) != 0) {
        ::close(readyPipe[0]);
        ::close(readyPipe[1]);
        throw std::runtime_error("cannot create a pipe");
    }
    pid_t parent = ::getpid();
    m_pid = ::fork();
    if (m_pid == 0) {
        ::close(readyPipe[0]);
        ::close(goPipe[1]);
        Link link(readyPipe[1], goPipe[0]);
        runChild(body, link, parent);
    }
    ::close(readyPipe[1]);
    ::close(goPipe[0]);
    m_readyFd = readyPipe[0];
    m_goFd = goPipe[1];
    if (m_pid < 0) {
        closeFd(m_readyFd);
        closeFd(m_goFd);
        throw std::runtime_error("cannot fork");
    }
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : m_pid(std::exchange(other.m_pid, -1))
    , m_readyFd(std::exchange(other.m_readyFd, -1))
    , m_goFd(std::exchange(other.m_goFd, -1))
    , m_status(other.m_status)
{ }

ChildProcess::~ChildProcess()
{
    if (m_pid > 0) {
        kill();
        wait();
    }
    closeFd(m_readyFd);
    closeFd(m_goFd);
}

bool ChildProcess::waitUntilReady() { return m_readyFd >= 0 && receiveByte(m_readyFd); }

void ChildProcess::go()
{
    if (m_goFd >= 0)
        sendByte(m_goFd);
}

void ChildProcess::kill()
{
    if (m_pid > 0)
        ::kill(m_pid, SIGKILL);
}

int ChildProcess::wait()
{
    if (m_pid <= 0)
        return m_status;
    int status = 0;
    pid_t result = posix::retryOnInterrupt([&] { return ::waitpid(m_pid, &status, 0); });
    m_pid = -1;
    if (result < 0)
        m_status = -1;
    else if (WIFEXITED(status))
        m_status = WEXITSTATUS(status);
    else
        m_status = 128 + WTERMSIG(status);
    return m_status;
}

} // namespace olv::test
