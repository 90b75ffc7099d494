#include "admin/scores/ScoreViewer.h"

#include "admin/scores/AcceptedScoreLines.h"
#include "admin/scores/ScoreList.h"
#include "admin/scores/ScoreRetake.h"
#include "admin/scores/TamperRecord.h"
#include "common/Prompter.h"
#include "common/ScoreDatabase.h"
#include "common/TextFields.h"
#include "platform/Gbk.h"

namespace olv {

namespace {

constexpr const char* noRecords = "没有记录";

} // namespace

ScoreViewer::ScoreViewer(std::filesystem::path scoreFile, Prompter& prompter, LineListView& view)
    : m_scoreFile(std::move(scoreFile))
    , m_prompter(prompter)
    , m_list(view, prompter)
{ }

void ScoreViewer::showMessage(const std::string& text) { m_prompter.message(text); }

std::optional<std::vector<std::string>> ScoreViewer::readStoredLines()
{
    TextLines read = readScoreLines(m_scoreFile, OpenMode::ReadWriteExisting);
    // A read that broke off part-way would look like lost records: treat it as no read at all.
    if (read.result != FileResult::Done)
        return std::nullopt;
    return std::move(read.lines);
}

void ScoreViewer::load()
{
    std::optional<std::vector<std::string>> stored = readStoredLines();
    if (!stored) {
        showMessage("不能打开成绩库" + m_scoreFile.string()
            + "\n\n    可能是文件中还没有考生成绩\n或者不能对文件进行读写操作.");
        m_list.close();
        return;
    }
    if (takeRecords(*stored, Reading::Load)) {
        writeDamagedFileRecord(m_scoreFile, *stored);
        showMessage("成绩库可能被人修改过\n请查看成绩库所在文件夹中的check.txt文件.\n其中也许会有一些有用数据");
    }
    if (stored->empty()) {
        showMessage(noRecords);
        m_list.close();
        return;
    }
    display();
}

void ScoreViewer::sortBy(ScoreSortOrder order)
{
    m_sortOrder = order;
    display();
}

void ScoreViewer::refresh()
{
    std::optional<std::vector<std::string>> stored = readStoredLines();
    if (!stored) {
        showMessage("不能打开成绩库" + m_scoreFile.string());
        return;
    }
    const std::vector<std::string>& shown = m_list.lines();
    const bool damaged = takeRecords(*stored, Reading::Refresh);
    const bool fewer = shown.size() > m_records.size() + 1 + scoreStatisticsLineCount;
    if (fewer)
        showMessage("最新记录数比原有记录少,可能成绩库已被人修改过");
    if (fewer || damaged) {
        const std::size_t shownRecordLines
            = shown.size() >= scoreStatisticsLineCount ? shown.size() - scoreStatisticsLineCount : 0;
        appendTamperRecord(m_scoreFile,
            std::vector<std::string>(shown.begin(), shown.begin() + static_cast<std::ptrdiff_t>(shownRecordLines)),
            *stored);
        showMessage("成绩库可能被人修改过\n请尽快查看成绩库所在文件夹中的check.txt文件\n为防止此文件再次被人为破坏\n"
                    "请速速查看此文件\n其中存放有先前屏幕上显示的记录");
    }
    display();
}

bool ScoreViewer::takeRecords(const std::vector<std::string>& storedLines, Reading reading)
{
    AcceptedScoreLines accepted = acceptScoreLines(storedLines);
    m_records = std::move(accepted.records);
    reportDamaged(accepted.damaged, reading);
    return !accepted.damaged.empty();
}

void ScoreViewer::reportDamaged(const std::vector<DamagedScoreLine>& damaged, Reading reading)
{
    const std::string file = "成绩库文件" + m_scoreFile.string();
    const std::size_t shown = std::min(damaged.size(), damagedLineMessages);
    for (std::size_t i = 0; i < shown; ++i) {
        const char* fault = damaged[i].status == ScoreLineStatus::TooLong ? "内容太长"
            : reading == Reading::Load                                    ? "格式不对"
                                                                          : "格试不正确";
        showMessage(
            file + "第" + std::to_string(damaged[i].lineNumber) + "条记录数据错误:" + fault + ",不显示此条记录");
    }
    if (damaged.size() > shown)
        showMessage(file + "另有" + std::to_string(damaged.size() - shown) + "条记录数据错误,不显示这些记录");
}

void ScoreViewer::display()
{
    if (m_records.empty()) {
        showMessage(noRecords);
        m_list.close();
        return;
    }
    m_order = scoreDisplayOrder(m_records, m_sortOrder);
    m_list.show(scoreListLines(m_records, m_order));
}

std::optional<std::size_t> ScoreViewer::selectedRecord() const
{
    const std::optional<std::size_t> row = m_list.selectedRow();
    if (!row || *row == 0 || *row > m_order.size() || m_order.size() != m_records.size())
        return std::nullopt;
    return m_order[*row - 1];
}

void ScoreViewer::hideSelected()
{
    const std::optional<std::size_t> record = selectedRecord();
    if (!record) {
        showMessage("请选择要删除的考生记录");
        return;
    }
    m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(*record));
    display();
}

void ScoreViewer::retakeSelected()
{
    const std::optional<std::size_t> record = selectedRecord();
    if (!record) {
        showMessage("请选择要需要重新考试的考生记录");
        return;
    }
    const ScoreRecord& selected = m_records[*record];
    const std::string examNumber = removeSpaces(selected.examNumber);
    if (retakeNeedsConfirmation(selected.scoreField)) {
        if (!m_prompter.confirm(retakeQuestion(selected), "选中记录重考"))
            return;
    }
    switch (clearScore(m_scoreFile, examNumber).result) {
    case RetakeResult::CannotOpen:
        showMessage("不能打开文件成绩库文件");
        m_list.close();
        return;
    case RetakeResult::NotFound:
        showMessage("没有找到!");
        break;
    case RetakeResult::Failed:
        showMessage("不能写入成绩库文件" + m_scoreFile.string());
        break;
    case RetakeResult::Done:
        break;
    }
    refresh();
}

} // namespace olv
