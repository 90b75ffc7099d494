#include "platform/SingleInstance.h"
#include "support/ChildProcess.h"
#include "support/TestFiles.h"

#include <csignal>
#include <gtest/gtest.h>

namespace olv {
namespace {

using test::ChildProcess;
using test::TempDir;

TEST(SingleInstanceLock, OneHolderPerNameUntilReleased)
{
    TempDir dir;
    auto first = SingleInstanceLock::acquire("oneolvane", dir.path());
    ASSERT_TRUE(first);
    EXPECT_TRUE(std::filesystem::exists(dir / "oneolvane.lock"));
    EXPECT_FALSE(SingleInstanceLock::acquire("oneolvane", dir.path()));
    EXPECT_TRUE(SingleInstanceLock::acquire("another", dir.path()));

    SingleInstanceLock moved = std::move(*first);
    first.reset();
    EXPECT_FALSE(SingleInstanceLock::acquire("oneolvane", dir.path()));
    moved = SingleInstanceLock::acquire("another", dir.path()).value();
    EXPECT_TRUE(SingleInstanceLock::acquire("oneolvane", dir.path()));
    EXPECT_FALSE(SingleInstanceLock::acquire("oneolvane", "/nonexistent-folder")); // an unwritable folder
}

TEST(SingleInstanceLock, AProcessThatDiesReleasesIt)
{
    TempDir dir;
    ChildProcess holder([&](ChildProcess::Link& link) {
        auto lock = SingleInstanceLock::acquire("oneolvane", dir.path());
        if (!lock)
            return 1;
        link.ready();
        link.waitForGo();
        return 0;
    });
    ASSERT_TRUE(holder.waitUntilReady());
    EXPECT_FALSE(SingleInstanceLock::acquire("oneolvane", dir.path()));

    holder.kill();
    EXPECT_EQ(holder.wait(), 128 + SIGKILL);
    EXPECT_TRUE(SingleInstanceLock::acquire("oneolvane", dir.path()));
}

} // namespace
} // namespace olv
