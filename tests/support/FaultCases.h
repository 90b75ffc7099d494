#pragma once

#include "platform/FaultInjection.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace olv::test {

// One way the disk fails, armed just before the write under test.
struct FaultCase
{
    std::string name;
    std::function<void()> arm;
};

// A write that fails after 0, 1, half and all but one of `size` bytes, with a full disk, an
// I/O error and a device that stops taking bytes.
std::vector<FaultCase> writeFaults(std::size_t size);
// Every step of a replacing write of `size` bytes: the temporary's open, its writes, its sync
// and close, the rename, and the folder sync after the rename.
std::vector<FaultCase> replacingWriteFaults(std::size_t size);

// Disarms the injector when the test ends, whatever happened.
struct FaultGuard
{
    ~FaultGuard() { faults::disarm(); }
};

// The names of the files in `folder`, sorted.
std::vector<std::string> fileNames(const std::filesystem::path& folder);

// For every case: `oldBytes` at `target`, the fault armed, `write` run. Each write must report
// failure, leave `target` holding `oldBytes` (or `newBytes` when the failure came after the
// rename), and leave no other file in the target's folder.
void expectReplacingWriteSurvivesFaults(const std::filesystem::path& target, const std::string& oldBytes,
    const std::string& newBytes, const std::function<bool()>& write);

} // namespace olv::test
