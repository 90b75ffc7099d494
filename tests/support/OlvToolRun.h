#pragma once

// Runs the olvtool program in a folder, as IT staff would (the test target defines OLVTOOL_PATH).

#include "support/TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace olv::test {

struct ToolRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// olvtool with `arguments` in `folder`, its output caught in out.txt and err.txt there. A reader
// that blocks (on a FIFO, say) fails the test instead of hanging it.
inline ToolRun runOlvtool(const std::filesystem::path& folder, const std::string& arguments)
{
    const std::string command
        = "cd '" + folder.string() + "' && timeout 60 '" OLVTOOL_PATH "' " + arguments + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    return { WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(folder / "out.txt"),
        readBytes(folder / "err.txt") };
}

} // namespace olv::test
