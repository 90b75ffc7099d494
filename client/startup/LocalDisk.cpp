#include "client/startup/LocalDisk.h"

#include "client/startup/ClientEnvironment.h"
#include "common/Prompter.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/FreeSpace.h"

namespace olv {

namespace {

constexpr std::int64_t leastFreeKilobytes = 2048;

bool canCreateProbe(const std::filesystem::path& probe)
{
    if (!File::open(probe, OpenMode::ReadWriteCreate, Sharing::Shared))
        return false;
    removeFile(probe);
    return true;
}

} // namespace

bool checkLocalDisk(const ClientEnvironment& env, const FreeSpaceQuery& freeSpace)
{
    std::optional<std::int64_t> free = freeSpace ? freeSpace(env.localDriveRoot) : freeKilobytes(env.localDriveRoot);
    if (!free) {
        env.prompter.message("不能取得D:盘属性,无法运行考试软件");
        return false;
    }
    if (*free < leastFreeKilobytes) {
        env.prompter.message("D:盘剩余空间不足2M,不能运行考试软件");
        return false;
    }
    createDirectory(env.workspace()); // usually there already
    if (!canCreateProbe(env.workspace() / "a1b2c1")) {
        env.prompter.message("D:盘中不能创建文件,无法运行考试软件");
        return false;
    }
    return true;
}

} // namespace olv
