#include "admin/scores/ScoreRetake.h"

#include "common/ScoreDatabase.h"
#include "common/TextFields.h"
#include "platform/Gbk.h"

namespace olv {

bool retakeNeedsConfirmation(std::string_view scoreField)
{
    const std::string score = removeSpaces(scoreField);
    return !score.empty() && score != utf8ToGbk("登陆");
}

std::string retakeQuestion(const ScoreRecord& record)
{
    return gbkToUtf8(removeSpaces(record.schoolClass) + "  " + removeSpaces(record.name) + "  "
               + removeSpaces(record.examNumber))
        + "\n得分是:" + gbkToUtf8(removeSpaces(record.scoreField)) + "\n点击确定将清除其考试成绩重考.清除后将不能恢复.";
}

RetakeOutcome clearScore(const std::filesystem::path& scoreFile, std::string_view examNumber)
{
    std::optional<File> file = File::open(scoreFile, OpenMode::ReadWriteExisting, Sharing::Exclusive);
    if (!file)
        return { RetakeResult::CannotOpen, {} };
    std::optional<FoundScoreRecord> found = findScoreRecord(*file, examNumber, ScoreMatch::DashedSpaceFree);
    if (!found)
        return { RetakeResult::NotFound, {} };
    ScoreRecord cleared = found->record;
    cleared.scoreField = blankScoreField();
    const bool written = rewriteScoreRecord(*file, *found, cleared) && file->sync();
    return { written ? RetakeResult::Done : RetakeResult::Failed, found->record };
}

} // namespace olv
