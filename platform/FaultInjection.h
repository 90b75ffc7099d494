#pragma once

#include <cstddef>
#include <optional>

namespace olv {

// The file operations a test can make fail. Every one of them goes through File or the
// folder functions of FileSystem, so arming a fault here reaches every writer.
enum class FileOperation
{
    Open,
    Write,
    Sync,
    Close,
    Truncate,
    Rename,
};

// A process-wide switch that lets tests make the disk fail the way a full or broken share
// does. Inert until a test arms it; one fault at a time.
namespace faults {

// The `skip`+1st call of `operation` from now on fails with `error` (Close still closes).
void failOperation(FileOperation operation, int error, int skip = 0);
// Writes succeed for `bytes` more bytes, then come back short and fail with `error`; with
// `error` 0 the device takes nothing more (a write of zero bytes).
void failWritesAfter(std::size_t bytes, int error);
void disarm();
// Whether the armed fault has struck since it was armed.
bool struck();

// For the platform layer: the error the next call of `operation` fails with, if any.
std::optional<int> takeFault(FileOperation operation);
// For the platform layer: how many of `wanted` bytes the next write may put down; 0 with
// the error in `error` (0 for a write that takes nothing) once the budget is spent.
std::size_t writeAllowance(std::size_t wanted, int& error);

} // namespace faults

} // namespace olv
