#include "client/login/ScoreDatabaseOpen.h"

#include "client/startup/ClientEnvironment.h"
#include "common/ExamSettings.h"
#include "common/Prompter.h"
#include "platform/PathMapping.h"

namespace olv {

std::optional<File> openScoreDatabase(const ExamSettings& settings, const ClientEnvironment& env)
{
    std::optional<File> file = File::open(nativePath(settings.scoreFile, env.localDriveRoot), OpenMode::ReadWriteCreate,
        Sharing::Exclusive, candidateLockWait);
    if (!file)
        env.prompter.message("不能打开文件成绩库文件");
    return file;
}

} // namespace olv
