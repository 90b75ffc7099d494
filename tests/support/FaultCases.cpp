#include "support/FaultCases.h"

#include "support/TestFiles.h"

#include <algorithm>
#include <cerrno>
#include <gtest/gtest.h>

namespace olv::test {

std::vector<FaultCase> writeFaults(std::size_t size)
{
    std::vector<FaultCase> cases;
    for (std::size_t after : { std::size_t(0), std::size_t(1), size / 2, size - 1 })
        for (auto [error, what] :
            { std::pair(ENOSPC, "disk full"), std::pair(EIO, "I/O error"), std::pair(0, "short write") })
            cases.push_back({ std::string(what) + " after " + std::to_string(after) + " bytes",
                [after, error] { faults::failWritesAfter(after, error); } });
    return cases;
}

std::vector<FaultCase> replacingWriteFaults(std::size_t size)
{
    std::vector<FaultCase> cases = writeFaults(size);
    cases.push_back({ "open of the temporary", [] { faults::failOperation(FileOperation::Open, ENOSPC); } });
    cases.push_back({ "sync of the temporary", [] { faults::failOperation(FileOperation::Sync, EIO); } });
    cases.push_back({ "close of the temporary", [] { faults::failOperation(FileOperation::Close, EIO); } });
    cases.push_back({ "rename", [] { faults::failOperation(FileOperation::Rename, EIO); } });
    cases.push_back({ "sync of the folder", [] { faults::failOperation(FileOperation::Sync, EIO, 1); } });
    return cases;
}

std::vector<std::string> fileNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::ranges::sort(names);
    return names;
}

void expectReplacingWriteSurvivesFaults(const std::filesystem::path& target, const std::string& oldBytes,
    const std::string& newBytes, const std::function<bool()>& write)
{
    FaultGuard guard;
    for (const FaultCase& fault : replacingWriteFaults(newBytes.size())) {
        writeBytes(target, oldBytes);
        const std::vector<std::string> before = fileNames(target.parent_path());
        fault.arm();
        // The new content took the name: the save succeeded, only its durability is in doubt.
        const bool renamed = fault.name == "sync of the folder";
        EXPECT_EQ(write(), renamed) << fault.name;
        EXPECT_TRUE(faults::struck()) << fault.name;
        faults::disarm();
        EXPECT_EQ(readBytes(target), renamed ? newBytes : oldBytes) << fault.name;
        EXPECT_EQ(fileNames(target.parent_path()), before) << fault.name;
    }
    ASSERT_TRUE(write());
    EXPECT_EQ(readBytes(target), newBytes);
}

} // namespace olv::test
