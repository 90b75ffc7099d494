#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

namespace olv {

struct ClientEnvironment;

// Free kilobytes of the drive holding a folder; nothing when the query fails.
using FreeSpaceQuery = std::function<std::optional<std::int64_t>(const std::filesystem::path&)>;

// Whether drive D: can hold the workspace: enough free space, the workspace folder, a probe
// file that can be created. Shows the message of the first check that fails.
bool checkLocalDisk(const ClientEnvironment& env, const FreeSpaceQuery& freeSpace = {});

} // namespace olv
