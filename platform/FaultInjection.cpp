#include "platform/FaultInjection.h"

#include <atomic>

namespace olv::faults {

namespace {

// A single-threaded test arms it; the atomics only keep its readers honest elsewhere.
std::atomic<bool> g_armed = false;
bool g_struck = false;
bool g_byteLimited = false;
std::optional<FileOperation> g_operation;
int g_skip = 0;
int g_error = 0;
std::size_t g_bytesLeft = 0;

} // namespace

void failOperation(FileOperation operation, int error, int skip)
{
    disarm();
    g_operation = operation;
    g_error = error;
    g_skip = skip;
    g_armed = true;
}

void failWritesAfter(std::size_t bytes, int error)
{
    disarm();
    g_byteLimited = true;
    g_bytesLeft = bytes;
    g_error = error;
    g_armed = true;
}

void disarm()
{
    g_armed = false;
    g_struck = false;
    g_byteLimited = false;
    g_operation.reset();
}

bool struck() { return g_struck; }

std::optional<int> takeFault(FileOperation operation)
{
    if (!g_armed || g_operation != operation || g_struck)
        return std::nullopt;
    if (g_skip > 0) {
        --g_skip;
        return std::nullopt;
    }
    g_struck = true;
    return g_error;
}

std::size_t writeAllowance(std::size_t wanted, int& error)
{
    if (!g_armed || !g_byteLimited)
        return wanted;
    if (g_bytesLeft == 0) {
        g_struck = true;
        error = g_error;
        return 0;
    }
    std::size_t allowed = wanted < g_bytesLeft ? wanted : g_bytesLeft;
    g_bytesLeft -= allowed;
    return allowed;
}

} // namespace olv::faults
