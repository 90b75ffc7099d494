#include "admin/scores/ScoreEditor.h"

#include "admin/scores/ProposedExamNumber.h"
#include "admin/scores/RosterImport.h"
#include "admin/sheets/SheetReader.h"
#include "common/GbkCut.h"
#include "common/TextFields.h"
#include "platform/Gbk.h"

#include <algorithm>

namespace olv {

namespace {

constexpr std::array<ScoreBox, 4> allBoxes = { ScoreBox::Class, ScoreBox::Name, ScoreBox::ExamNumber, ScoreBox::Score };

std::string pathText(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::array<const std::string*, 4> fieldsOf(const ScoreRecord& record)
{
    return { &record.schoolClass, &record.name, &record.examNumber, &record.scoreField };
}

std::string listLine(const std::array<std::string, 4>& fields, const std::array<std::size_t, 4>& widths)
{
    std::string line;
    for (std::size_t column = 0; column < fields.size(); ++column)
        line += padRight(fields[column], widths[column] + 1);
    return line;
}

} // namespace

ScoreEditor::ScoreEditor(ScoreEditorView& view, Prompter& prompter, std::filesystem::path path)
    : m_view(view)
    , m_prompter(prompter)
    , m_path(std::move(path))
{ }

void ScoreEditor::load()
{
    TextLines file = readScoreLines(m_path, OpenMode::ReadWriteCreate);
    if (file.result != FileResult::Done) {
        m_prompter.message("不能打开成绩库" + pathText(m_path));
        m_view.closeWindow();
        return;
    }
    std::vector<DamagedScoreLine> refused;
    for (std::size_t line = 0; line < file.lines.size(); ++line) {
        DecodedScoreLine decoded = decodeScoreLineAdminRule(file.lines[line]);
        if (decoded.status == ScoreLineStatus::Valid)
            m_records.push_back({ paddedRecord(decoded.record), line });
        else
            refused.push_back({ line + 1, decoded.status });
    }
    reportRefusedLines(refused);
    m_loadedLines = std::move(file.lines);
    refresh();
    makeCurrent(m_records.empty() ? 0 : 1);
    m_view.showPath(pathText(m_path));
}

void ScoreEditor::reportRefusedLines(const std::vector<DamagedScoreLine>& refused)
{
    // A file of another kind opened by mistake refuses every line: ten messages, then one.
    const std::string file = "成绩库文件" + pathText(m_path);
    const auto lineMessage = [&](const DamagedScoreLine& line) {
        const char* reason = line.status == ScoreLineStatus::TooLong ? "内容太长" : "格式不对";
        return file + "第" + std::to_string(line.lineNumber) + "条记录数据错误:" + reason + ",放弃此条记录";
    };
    const auto restMessage
        = [&](std::size_t rest) { return file + "另有" + std::to_string(rest) + "条记录数据错误,放弃这些记录"; };
    for (const std::string& message : damagedLineMessages(refused, lineMessage, restMessage))
        m_prompter.message(message);
}

void ScoreEditor::showRecords()
{
    for (const EditedRecord& edited : m_records) {
        const auto fields = fieldsOf(edited.record);
        for (std::size_t column = 0; column < fields.size(); ++column)
            m_columnWidths[column] = std::max(m_columnWidths[column], fields[column]->size());
    }
    std::vector<RenderedLine> lines;
    lines.reserve(m_records.size() + 1);
    lines.push_back(
        { listLine({ utf8ToGbk("班级"), utf8ToGbk("姓名"), utf8ToGbk("考号"), utf8ToGbk("得分") }, m_columnWidths),
            0 });
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        const ScoreRecord& record = m_records[i].record;
        lines.push_back(
            { listLine({ record.schoolClass, record.name, record.examNumber, record.scoreField }, m_columnWidths),
                static_cast<int>(i + 1) });
    }
    m_view.showLines(std::move(lines));
}

void ScoreEditor::refresh()
{
    showRecords();
    m_view.setBoxText(ScoreBox::ExamNumber, m_autoNumbering ? proposedExamNumber(plainRecords()) : std::string());
    m_view.setBoxText(ScoreBox::Class, removeSpaces(m_view.boxText(ScoreBox::Class)));
    m_view.setBoxText(ScoreBox::Name, {});
    m_view.setBoxText(ScoreBox::Score, {});
}

void ScoreEditor::makeCurrent(std::size_t record)
{
    m_current = record;
    m_view.showCurrent(record);
}

std::vector<ScoreRecord> ScoreEditor::plainRecords() const
{
    std::vector<ScoreRecord> records;
    records.reserve(m_records.size());
    for (const EditedRecord& edited : m_records)
        records.push_back(edited.record);
    return records;
}

void ScoreEditor::selectLine(std::size_t line)
{
    if (line <= m_records.size())
        makeCurrent(line);
}

void ScoreEditor::leaveBox(ScoreBox box) { m_view.setBoxText(box, removeSpaces(m_view.boxText(box))); }

void ScoreEditor::setAutoNumbering(bool on)
{
    m_autoNumbering = on;
    m_view.setExamNumberEnabled(!on);
    if (on)
        m_view.setBoxText(ScoreBox::ExamNumber, proposedExamNumber(plainRecords()));
}

std::size_t ScoreEditor::findExamNumber(const std::string& examNumber, std::size_t except) const
{
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (i != except && m_records[i].record.examNumber == examNumber)
            return i;
    }
    return m_records.size();
}

bool ScoreEditor::store(Command command)
{
    if (command != Command::Add && m_current == 0)
        return false;
    if (const auto refusal = m_view.entryRefusal()) {
        m_prompter.message(*refusal);
        return false;
    }
    // Spaces never stand inside a stored field; the boxes lose them when left, and here too for a
    // command given while a box still has the focus.
    ScoreRecord record { removeSpaces(m_view.boxText(ScoreBox::Class)), removeSpaces(m_view.boxText(ScoreBox::Name)),
        removeSpaces(m_view.boxText(ScoreBox::ExamNumber)), removeSpaces(m_view.boxText(ScoreBox::Score)) };
    if (command == Command::Add && record.schoolClass.size() > schoolClassWidth) {
        record.schoolClass = cutGbk(record.schoolClass, schoolClassWidth);
        m_prompter.message("班级字符太多,已进行了截取.");
    }
    if (record.examNumber.empty()) {
        m_prompter.message("必须填写考号");
        m_view.moveFocus(EditorFocus::ExamNumberBox);
        return false;
    }
    record = paddedRecord(record);
    if (record.examNumber.size() > examNumberWidth) {
        m_prompter.message("考号长度不能超过14位,取左边14位.");
        record.examNumber = padRight(cutGbk(record.examNumber, examNumberWidth), examNumberWidth);
    }
    const std::size_t except = command == Command::Replace ? m_current - 1 : m_records.size();
    const std::size_t existing = findExamNumber(record.examNumber, except);
    if (existing < m_records.size()) {
        m_prompter.message("考号" + gbkToUtf8(record.examNumber) + "已经存在");
        makeCurrent(existing + 1);
        m_view.moveFocus(EditorFocus::ExamNumberBox);
        return false;
    }
    const auto fields = fieldsOf(record);
    if (std::ranges::any_of(
            fields, [](const std::string* field) { return field->find_first_of("*.-") != std::string::npos; })) {
        m_prompter.message("数据中不能含有字符. * -");
        return false;
    }
    // Every reader drops a line this long, so it would be lost at the next load.
    if (formatScoreLine(record).size() >= scoreLineTooLong) {
        m_prompter.message("记录太长,一条记录不能超过199个字节,请缩短班级、姓名或得分.");
        return false;
    }
    switch (command) {
    case Command::Add:
        m_records.push_back({ std::move(record), std::nullopt });
        break;
    case Command::Insert:
        m_records.insert(
            m_records.begin() + static_cast<std::ptrdiff_t>(m_current - 1), { std::move(record), std::nullopt });
        break;
    case Command::Replace:
        m_records[m_current - 1].record = std::move(record);
        break;
    }
    m_modified = true;
    refresh();
    makeCurrent(command == Command::Add ? m_records.size() : m_current);
    return true;
}

void ScoreEditor::addAtEnd() { store(Command::Add); }

void ScoreEditor::insertAtCurrent() { store(Command::Insert); }

void ScoreEditor::replaceCurrent() { store(Command::Replace); }

void ScoreEditor::deleteCurrent()
{
    if (m_current == 0)
        return;
    m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(m_current - 1));
    m_modified = true;
    refresh();
    makeCurrent(std::min(m_current, m_records.size()));
}

void ScoreEditor::fetchCurrent()
{
    if (m_current == 0)
        return;
    const auto fields = fieldsOf(m_records[m_current - 1].record);
    for (std::size_t i = 0; i < allBoxes.size(); ++i)
        m_view.setBoxText(allBoxes[i], removeSpaces(*fields[i]));
}

void ScoreEditor::save()
{
    m_view.startProgress(m_records.size());
    ScoreDatabaseSave result
        = saveScoreDatabase(m_path, m_loadedLines, m_records, [this] { m_view.advanceProgress(); });
    m_view.resetProgress();
    if (!result.saved) {
        m_prompter.message("不能写入文件" + pathText(m_path));
        return;
    }
    m_records = std::move(result.carried.records);
    for (std::size_t i = 0; i < m_records.size(); ++i)
        m_records[i].sourceLine = i;
    m_loadedLines = std::move(result.writtenLines);
    m_modified = false;
    std::vector<DamagedScoreLine> refused;
    for (const RefusedLine& line : result.carried.refused)
        refused.push_back({ line.lineNumber, line.status });
    reportRefusedLines(refused);
    if (result.carried.count == 0)
        return;
    showRecords();
    makeCurrent(m_current);
    m_prompter.message("成绩库在编辑期间被考试机改写过,存盘时保留了考试机写入的" + std::to_string(result.carried.count)
        + "条记录(登陆标记、成绩或考生自己加入的记录).");
}

void ScoreEditor::importRoster()
{
    const std::optional<std::string> chosen
        = m_prompter.openFileName("名单表格(*.xlsx;*.csv;*.txt)|*.xlsx;*.csv;*.txt|所有文件(*.*)|*.*|");
    if (!chosen)
        return;
    const SheetReadResult sheet = readSheet(*chosen);
    if (sheet.error) {
        m_prompter.message("不能导入名单: " + sheetErrorText(*chosen, *sheet.error));
        return;
    }
    std::vector<std::string> examNumbers;
    examNumbers.reserve(m_records.size());
    for (const EditedRecord& edited : m_records)
        examNumbers.push_back(edited.record.examNumber);
    RosterImport import = planRosterImport(sheet.rows, examNumbers);
    const std::string preview = rosterImportPreview(import);
    if (import.added.empty()) {
        m_prompter.message(preview, "导入名单");
        return;
    }
    if (!m_prompter.confirm(preview + "\n\n点击确定添加这些考生.", "导入名单"))
        return;
    for (ScoreRecord& record : import.added)
        m_records.push_back({ paddedRecord(record), std::nullopt });
    m_modified = true;
    refresh();
    makeCurrent(m_records.size());
}

void ScoreEditor::exit()
{
    if (m_modified && !m_prompter.confirm("上次存盘后输入的数据还未保存\n真的要放弃这些数据吗？", "有数据未保存"))
        return;
    m_view.closeWindow();
}

void ScoreEditor::enterPressed(EditorFocus where)
{
    switch (where) {
    case EditorFocus::ClassBox:
        m_view.moveFocus(EditorFocus::NameBox);
        break;
    case EditorFocus::NameBox:
        // With "自动" on the exam number box is disabled and takes no focus.
        m_view.moveFocus(m_autoNumbering ? EditorFocus::ScoreBox : EditorFocus::ExamNumberBox);
        break;
    case EditorFocus::ExamNumberBox:
        m_view.moveFocus(EditorFocus::ScoreBox);
        break;
    case EditorFocus::ScoreBox:
        m_view.moveFocus(EditorFocus::AddButton);
        break;
    case EditorFocus::AddButton:
        if (store(Command::Add))
            m_view.moveFocus(EditorFocus::ClassBox);
        break;
    case EditorFocus::Elsewhere:
        break;
    }
}

} // namespace olv
