#include "admin/scores/ScoreViewer.h"

#include "admin/scores/AcceptedScoreLines.h"
#include "admin/scores/ScoreExport.h"
#include "admin/scores/ScoreList.h"
#include "admin/scores/ScoreRetake.h"
#include "admin/scores/TamperRecord.h"
#include "common/Prompter.h"
#include "common/SaveName.h"
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

std::optional<std::vector<std::string>> ScoreViewer::readStoredLines(const std::string& cannotOpen)
{
    TextLines read = readScoreLines(m_scoreFile, OpenMode::ReadWriteExisting);
    if (read.result == FileResult::TooLarge) {
        showMessage("成绩库文件" + m_scoreFile.string() + "太大(超过"
            + std::to_string(scoreDatabaseSizeLimit / (1024 * 1024)) + "MB),不是成绩库文件,不能打开");
        return std::nullopt;
    }
    // A read that broke off part-way would look like lost records: treat it as no read at all.
    if (read.result != FileResult::Done) {
        showMessage(cannotOpen);
        return std::nullopt;
    }
    return std::move(read.lines);
}

void ScoreViewer::load()
{
    std::optional<std::vector<std::string>> stored = readStoredLines(
        "不能打开成绩库" + m_scoreFile.string() + "\n\n    可能是文件中还没有考生成绩\n或者不能对文件进行读写操作.");
    if (!stored) {
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
    stored.reset(); // the records and the list lines are all that stay: memory a few times the file
    display();
}

void ScoreViewer::exportSheet()
{
    const std::optional<std::string> chosen
        = m_prompter.saveFileName("Excel 工作簿(*.xlsx)|*.xlsx|CSV 文件(*.csv)|*.csv|");
    if (!chosen)
        return;
    const std::string name = withDefaultExtension(*chosen, ".xlsx");
    if (!writeScoreSheet(name, m_records, scoreDisplayOrder(m_records, m_sortOrder))) {
        showMessage("不能写入文件" + name);
        return;
    }
    showMessage("已导出到文件" + name);
}

void ScoreViewer::sortBy(ScoreSortOrder order)
{
    m_sortOrder = order;
    display();
}

void ScoreViewer::refresh()
{
    std::optional<std::vector<std::string>> stored = readStoredLines("不能打开成绩库" + m_scoreFile.string());
    if (!stored)
        return;
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
    stored.reset();
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
    const auto lineMessage = [&](const DamagedScoreLine& line) {
        const char* fault = line.status == ScoreLineStatus::TooLong ? "内容太长"
            : reading == Reading::Load                              ? "格式不对"
                                                                    : "格试不正确";
        return file + "第" + std::to_string(line.lineNumber) + "条记录数据错误:" + fault + ",不显示此条记录";
    };
    const auto restMessage
        = [&](std::size_t rest) { return file + "另有" + std::to_string(rest) + "条记录数据错误,不显示这些记录"; };
    for (const std::string& message : damagedLineMessages(damaged, lineMessage, restMessage))
        showMessage(message);
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
