#include "admin/bank/BankCopy.h"

#include "admin/bank/BankExport.h"
#include "admin/bank/BankReading.h"
#include "admin/bank/OutputFile.h"
#include "admin/bank/import/MoodleXmlExport.h"
#include "common/QuestionBankFile.h"
#include "platform/Gbk.h"

#include <algorithm>

namespace olv {

namespace {

QuestionBank normalized(QuestionBank bank)
{
    normalizeAnswers(bank);
    return bank;
}

std::vector<std::string> answersByNumber(const QuestionBank& bank)
{
    std::vector<std::string> answers;
    for (QuestionKind kind : allQuestionKinds)
        for (const Question& question : bank.questionsOf(kind))
            answers.push_back(question.answer);
    return answers;
}

const std::string& tickMark()
{
    static const std::string mark = utf8ToGbk("√");
    return mark;
}

} // namespace

BankCopy::BankCopy(QuestionBank bank, BankCopyView& view, Prompter& prompter)
    : m_bank(normalized(std::move(bank)))
    , m_lines(renderQuestionList(QuestionListVariant::BankView, m_bank))
    , m_selection(m_lines)
    , m_answers(answersByNumber(m_bank))
    , m_ticks(m_answers.size(), false)
    , m_view(view)
    , m_prompter(prompter)
{ }

RenderedLine BankCopy::entry(std::size_t index) const
{
    const int number = static_cast<int>(index) + 1;
    return { std::to_string(number) + "--" + (m_ticks[index] ? tickMark() : std::string()), number };
}

std::vector<RenderedLine> BankCopy::entries() const
{
    std::vector<RenderedLine> all;
    all.reserve(m_ticks.size());
    for (std::size_t index = 0; index < m_ticks.size(); ++index)
        all.push_back(entry(index));
    return all;
}

void BankCopy::open()
{
    m_view.showEntries(entries());
    selectFirst();
}

void BankCopy::selectFirst()
{
    if (m_ticks.empty()) {
        m_view.selectLine(m_selection.openingLine());
        m_view.showAnswer({});
        return;
    }
    showEntryOf(0, true);
}

void BankCopy::showEntryOf(std::size_t index, bool withLine)
{
    m_selected = index;
    m_view.selectEntry(index);
    if (withLine)
        m_view.selectLine(m_selection.lineOfEntry(index));
    m_view.showAnswer(m_answers[index]);
}

void BankCopy::lineSelected(std::size_t row)
{
    if (const auto index = m_selection.entryOfLine(row))
        showEntryOf(*index, false);
}

void BankCopy::entrySelected(std::size_t entry)
{
    if (entry < m_ticks.size())
        showEntryOf(entry, true);
}

void BankCopy::toggleSelected()
{
    if (!m_selected)
        return;
    const std::size_t index = *m_selected;
    m_ticks[index] = !m_ticks[index];
    m_view.showEntry(index, entry(index));
    if (index + 1 < m_ticks.size())
        showEntryOf(index + 1, true);
}

void BankCopy::tickAll(bool ticked)
{
    std::fill(m_ticks.begin(), m_ticks.end(), ticked);
    m_view.showEntries(entries());
    selectFirst();
}

void BankCopy::saveTicked()
{
    if (std::find(m_ticks.begin(), m_ticks.end(), true) == m_ticks.end()) {
        m_prompter.message("请您选择试题.");
        return;
    }
    const auto target = askOutputName(m_prompter, ".kst");
    if (!target)
        return;
    switch (writeQuestionBank(tickedQuestions(m_bank, m_ticks), target->path)) {
    case BankWriteResult::Written:
        m_prompter.message("复制完成");
        return;
    case BankWriteResult::CannotCreateTemporary:
        m_prompter.message("不能创建临时文件");
        return;
    case BankWriteResult::CannotReplaceTarget:
        m_prompter.message("不能写入文件" + target->shown);
        return;
    }
}

void BankCopy::exportText()
{
    const auto target = askOutputName(m_prompter, ".txt");
    if (!target)
        return;
    if (writeTextLinesTelling(*target, bankExportLines(m_bank), m_prompter))
        m_prompter.message("已将当前题库中的所有试题及答案保存到文本文件" + target->shown);
}

void BankCopy::exportMoodle()
{
    const auto target = askOutputName(m_prompter, ".xml");
    if (!target)
        return;
    if (!writeMoodleXml(m_bank, target->path)) {
        m_prompter.message("不能打开" + target->shown + "文件");
        return;
    }
    m_prompter.message("已将当前题库中的所有试题保存为Moodle XML文件" + target->shown);
}

} // namespace olv
