#include "admin/room/RoomSnapshot.h"

#include "admin/scores/AcceptedScoreLines.h"
#include "admin/scores/ScoreRetake.h"
#include "common/Prompter.h"
#include "common/ScoreDatabase.h"
#include "common/TextFields.h"
#include "platform/Clock.h"

#include <algorithm>
#include <ctime>
#include <map>
#include <system_error>

namespace olv {

namespace {

std::string key(const ScoreRecord& record) { return removeSpaces(record.examNumber); }

std::string readFailure(const std::filesystem::path& scoreFile, FileResult result)
{
    std::error_code error;
    const std::string prefix = "不能读取成绩库" + scoreFile.string() + ": ";
    if (result == FileResult::Failed)
        return prefix + "读到一半出错";
    if (!std::filesystem::exists(scoreFile, error))
        return prefix + "文件不存在";
    return prefix + "文件不能打开或正被其他机器使用";
}

} // namespace

const char* candidateStateCaption(CandidateState state)
{
    switch (state) {
    case CandidateState::NotStarted:
        return "未考";
    case CandidateState::InExam:
        return "考试中";
    case CandidateState::HandedIn:
        return "已交卷";
    }
    return "";
}

std::string clockTime(std::int64_t seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local {};
    localtime_r(&time, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

RoomSnapshot::RoomSnapshot(std::filesystem::path scoreFile, const Clock& clock)
    : m_scoreFile(std::move(scoreFile))
    , m_clock(clock)
{ }

bool RoomSnapshot::refresh()
{
    // Read only: the view must never change the database, not even by the tamper record the
    // score list writes.
    TextLines read = readScoreLines(m_scoreFile, OpenMode::ReadOnly);
    if (read.result != FileResult::Done) {
        m_status = readFailure(m_scoreFile, read.result);
        return false;
    }
    AcceptedScoreLines accepted = acceptScoreLines(read.lines);
    take(std::move(accepted.records));
    m_status = "读取于 " + clockTime(m_clock.nowSeconds()) + ", 共" + std::to_string(m_tiles.size()) + "人";
    if (!accepted.damaged.empty())
        m_status += ", " + std::to_string(accepted.damaged.size()) + "条记录格式不对未显示";
    return true;
}

void RoomSnapshot::take(std::vector<ScoreRecord> records)
{
    std::map<std::string, const RoomTile*> before;
    for (const RoomTile& tile : m_tiles)
        before.emplace(key(tile.record), &tile);

    const std::int64_t now = m_clock.nowSeconds();
    std::vector<RoomTile> tiles;
    tiles.reserve(records.size());
    std::map<std::string, std::size_t> classRank;
    for (ScoreRecord& record : records) {
        RoomTile tile;
        tile.state = candidateState(record);
        const auto previous = before.find(key(record));
        if (previous != before.end()) {
            tile.changedAt = previous->second->changedAt;
            if (previous->second->state != tile.state)
                tile.changedAt = now;
        } else if (m_readOnce) {
            // Joined the database since the first reading (a candidate not on the roster).
            tile.changedAt = now;
        }
        classRank.emplace(removeSpaces(record.schoolClass), classRank.size());
        tile.record = std::move(record);
        tiles.push_back(std::move(tile));
    }
    std::stable_sort(tiles.begin(), tiles.end(), [&classRank](const RoomTile& a, const RoomTile& b) {
        return classRank[removeSpaces(a.record.schoolClass)] < classRank[removeSpaces(b.record.schoolClass)];
    });
    m_tiles = std::move(tiles);
    m_readOnce = true;
}

std::array<int, 3> RoomSnapshot::counts() const
{
    std::array<int, 3> counts {};
    for (const RoomTile& tile : m_tiles)
        ++counts[static_cast<std::size_t>(tile.state)];
    return counts;
}

void RoomSnapshot::retake(std::size_t index, Prompter& prompter)
{
    if (index >= m_tiles.size()) {
        prompter.message("请选择要需要重新考试的考生记录");
        return;
    }
    const ScoreRecord selected = m_tiles[index].record;
    if (retakeNeedsConfirmation(selected.scoreField) && !prompter.confirm(retakeQuestion(selected), "选中记录重考"))
        return;
    switch (clearScore(m_scoreFile, removeSpaces(selected.examNumber)).result) {
    case RetakeResult::CannotOpen:
        prompter.message("不能打开文件成绩库文件");
        break;
    case RetakeResult::NotFound:
        prompter.message("没有找到!");
        break;
    case RetakeResult::Failed:
        prompter.message("不能写入成绩库文件" + m_scoreFile.string());
        break;
    case RetakeResult::Done:
        break;
    }
    refresh();
}

} // namespace olv
