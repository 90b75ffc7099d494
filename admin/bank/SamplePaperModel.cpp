#include "admin/bank/SamplePaperModel.h"

#include "admin/bank/BankReading.h"
#include "admin/bank/OutputFile.h"
#include "admin/bank/SamplePaper.h"
#include "platform/PathMapping.h"

namespace olv {

std::optional<QuestionBank> loadSamplePaper(const ExamSettings& settings, std::int64_t now, Prompter& prompter)
{
    auto bank = readBankTelling(nativePath(settings.bankFile, defaultLocalDriveRoot()), prompter);
    if (!bank)
        return std::nullopt;
    return drawSamplePaper(std::move(*bank), settings, now);
}

SamplePaperModel::SamplePaperModel(
    const ExamSettings& settings, QuestionBank paper, SamplePaperView& view, Prompter& prompter)
    : m_settings(settings)
    , m_paper(std::move(paper))
    , m_lines(renderQuestionList(QuestionListVariant::PaperView, m_paper, &m_settings))
    , m_selection(m_lines)
    , m_view(view)
    , m_prompter(prompter)
{ }

std::vector<RenderedLine> SamplePaperModel::answerLines() const
{
    std::vector<RenderedLine> lines;
    for (auto& entry : answerEntries(m_paper))
        lines.push_back({ std::move(entry), static_cast<int>(lines.size()) + 1 });
    return lines;
}

void SamplePaperModel::open()
{
    m_view.selectLine(m_selection.openingLine());
    if (m_selection.entryCount() > 0)
        m_view.selectEntry(0);
}

void SamplePaperModel::lineSelected(std::size_t row)
{
    if (const auto entry = m_selection.entryOfLine(row))
        m_view.selectEntry(*entry);
}

void SamplePaperModel::entrySelected(std::size_t entry)
{
    if (entry < m_selection.entryCount())
        m_view.selectLine(m_selection.lineOfEntry(entry));
}

bool SamplePaperModel::writeOutput(const std::vector<std::string>& lines)
{
    const auto target = askOutputName(m_prompter, ".txt");
    if (!target)
        return false;
    writeTextLinesTelling(*target, lines, m_prompter);
    return true;
}

void SamplePaperModel::writePaper()
{
    if (writeOutput(writtenPaperLines(m_settings, m_paper)))
        m_view.disablePaperOutput();
}

void SamplePaperModel::writeKey()
{
    if (writeOutput(answerKeyLines(m_settings, m_paper)))
        m_view.disableKeyOutput();
}

} // namespace olv
