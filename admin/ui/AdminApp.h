#pragma once

#include <filesystem>

namespace olv {

class QtPrompter;
struct AdminTools;

// The examiner's program: the start-up in the working directory, then the settings dialog
// until it closes. Returns the exit status.
int runAdmin(QtPrompter& prompter, const AdminTools& tools, const std::filesystem::path& localDriveRoot);

} // namespace olv
