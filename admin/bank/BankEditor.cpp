#include "admin/bank/BankEditor.h"

#include "admin/bank/BankReading.h"
#include "admin/bank/DuplicateStems.h"
#include "admin/bank/FormStem.h"
#include "admin/bank/QuestionPlace.h"
#include "admin/bank/import/BankImport.h"
#include "common/Answer.h"
#include "common/QuestionBankFile.h"
#include "platform/File.h"

namespace olv {

BankEditor::BankEditor(BankEditorView& view, Prompter& prompter, std::filesystem::path bankPath)
    : m_view(view)
    , m_prompter(prompter)
    , m_bankPath(std::move(bankPath))
{ }

bool BankEditor::open()
{
    // The editor creates a bank that does not exist yet, even if it is never saved.
    if (!File::open(m_bankPath, OpenMode::ReadWriteCreate, Sharing::Exclusive)) {
        m_prompter.message(bankReadFailureMessage(BankReadFailure::CannotOpenBank));
        return false;
    }
    std::optional<QuestionBank> bank = readBankTelling(m_bankPath, m_prompter);
    if (!bank)
        return false;
    m_bank = std::move(*bank);
    normalizeAnswers(m_bank);
    m_view.listsChanging();
    m_layout.rebuild(m_bank);
    m_current = 1;
    m_view.showLists(m_layout.questionLines(), m_layout.answerLines());
    showCurrent();
    m_view.showPath(m_bankPath.string());
    m_form = m_view.form();
    m_view.enableOptions(m_form.kind != QuestionKind::TrueFalse);
    return true;
}

void BankEditor::showCurrent()
{
    m_view.showCurrentNumber(m_current);
    if (hasCurrent()) {
        m_view.selectQuestionLine(m_layout.firstLineOf(m_current));
        m_view.selectAnswer(static_cast<std::size_t>(m_current - 1));
    }
    m_view.enableCurrentQuestionButtons(questionCount() > 0);
}

void BankEditor::questionLineSelected(std::size_t row)
{
    const auto number = questionAtLine(m_layout.questionLines(), row);
    if (!number)
        return;
    m_current = *number;
    m_view.showCurrentNumber(m_current);
    m_view.selectAnswer(static_cast<std::size_t>(m_current - 1));
}

void BankEditor::answerSelected(std::size_t row)
{
    if (row >= m_bank.questionCount())
        return;
    m_current = static_cast<int>(row) + 1;
    m_view.showCurrentNumber(m_current);
    m_view.selectQuestionLine(m_layout.firstLineOf(m_current));
}

void BankEditor::kindChosen()
{
    m_form = m_view.form();
    m_view.enableOptions(m_form.kind != QuestionKind::TrueFalse);
}

std::optional<Question> BankEditor::acceptedQuestion(EditOperation operation)
{
    if (const auto refusal = m_view.entryRefusal()) {
        m_prompter.message(*refusal);
        return std::nullopt;
    }
    m_form = m_view.form();
    Question question { m_form.kind, m_form.stem, m_form.options, m_form.answer };
    if (const auto fault = formFault(question, operation, placeOf(m_bank, m_current).kind)) {
        m_prompter.message(*fault);
        return std::nullopt;
    }
    question = formQuestion(question);
    if (!confirmDuplicateStem(question, operation))
        return std::nullopt;
    return question;
}

bool BankEditor::confirmDuplicateStem(const Question& question, EditOperation operation)
{
    const auto& questions = m_bank.questionsOf(question.kind);
    const int offset = numberOffset(m_bank, question.kind);
    for (std::size_t i = 0; i < questions.size(); ++i) {
        if (!isDuplicateStem(questions[i].stem, question.stem))
            continue;
        const int number = offset + static_cast<int>(i) + 1;
        if (operation == EditOperation::Replace && number == m_current)
            return true;
        return m_prompter.confirm(duplicateStemMessage(number) + "\n继续写入吗？", "有相同题");
    }
    return true;
}

void BankEditor::edited(bool emptyForm)
{
    m_modified = true;
    m_view.showLists(m_layout.questionLines(), m_layout.answerLines());
    showCurrent();
    if (emptyForm)
        clearForm();
}

void BankEditor::append()
{
    auto question = acceptedQuestion(EditOperation::Append);
    if (!question)
        return;
    auto& questions = m_bank.questionsOf(question->kind);
    m_current = numberOffset(m_bank, question->kind) + static_cast<int>(questions.size()) + 1;
    questions.push_back(std::move(*question));
    m_view.listsChanging();
    m_layout.questionInserted(m_bank, m_current);
    edited(true);
}

void BankEditor::insert()
{
    if (!hasCurrent())
        return;
    auto question = acceptedQuestion(EditOperation::Insert);
    if (!question)
        return;
    const QuestionPlace place = placeOf(m_bank, m_current);
    auto& questions = m_bank.questionsOf(place.kind);
    questions.insert(questions.begin() + static_cast<std::ptrdiff_t>(place.index), std::move(*question));
    m_view.listsChanging();
    m_layout.questionInserted(m_bank, m_current);
    edited(true);
}

void BankEditor::replace()
{
    if (!hasCurrent())
        return;
    auto question = acceptedQuestion(EditOperation::Replace);
    if (!question)
        return;
    const QuestionPlace place = placeOf(m_bank, m_current);
    m_bank.questionsOf(place.kind)[place.index] = std::move(*question);
    m_view.listsChanging();
    m_layout.questionReplaced(m_bank, m_current);
    edited(true);
}

void BankEditor::remove()
{
    if (!hasCurrent())
        return;
    const QuestionPlace place = placeOf(m_bank, m_current);
    auto& questions = m_bank.questionsOf(place.kind);
    questions.erase(questions.begin() + static_cast<std::ptrdiff_t>(place.index));
    m_view.listsChanging();
    m_layout.questionRemoved(m_current);
    if (m_current > questionCount())
        m_current = questionCount();
    edited(false);
}

void BankEditor::copyToForm()
{
    if (!hasCurrent())
        return;
    const QuestionPlace place = placeOf(m_bank, m_current);
    const Question& question = m_bank.questionsOf(place.kind)[place.index];
    m_form = { typedStem(question.stem), question.options, question.answer, m_form.kind };
    m_view.showFormTexts(m_form);
}

void BankEditor::clearForm()
{
    m_form = { {}, {}, {}, m_form.kind };
    m_view.showFormTexts(m_form);
}

namespace {

// The preview lists at most this many refusals; the rest are counted.
constexpr std::size_t previewRefusals = 30;

std::string importPreview(const ImportResult& result)
{
    std::string text = "将追加: " + importSummary(result);
    for (std::size_t i = 0; i < result.refusals.size() && i < previewRefusals; ++i)
        text += "\n" + result.refusals[i].position + "\t" + result.refusals[i].reason;
    if (result.refusals.size() > previewRefusals)
        text += "\n……另有" + std::to_string(result.refusals.size() - previewRefusals) + "道不能导入";
    return text;
}

} // namespace

void BankEditor::importQuestions()
{
    const auto name = m_prompter.openFileName(
        "试题文件(*.xml;*.gift;*.txt;*.csv;*.xlsx)|*.xml;*.gift;*.txt;*.csv;*.xlsx|所有文件(*.*)|*.*|");
    if (!name)
        return;
    const ImportResult result = importQuestionFile(std::filesystem::path(*name));
    if (result.failure) {
        m_prompter.message(*name + ": " + *result.failure, "导入试题");
        return;
    }
    if (!m_prompter.confirm(importPreview(result), "导入试题") || result.questions.questionCount() == 0)
        return;
    for (QuestionKind kind : allQuestionKinds) {
        auto& questions = m_bank.questionsOf(kind);
        for (const Question& question : result.questions.questionsOf(kind))
            questions.push_back(question);
    }
    m_view.listsChanging();
    m_layout.rebuild(m_bank);
    m_current = questionCount();
    edited(false);
}

void BankEditor::save()
{
    // The bank is written in one go, so the bar shows the range of the save and is back at
    // its start when the file is complete.
    const int steps = 2 * questionCount();
    m_view.showProgress(1, steps, 1);
    switch (writeQuestionBank(m_bank, m_bankPath)) {
    case BankWriteResult::Written:
        m_modified = false;
        break;
    case BankWriteResult::CannotCreateTemporary:
        m_prompter.message("不能创建临时文件");
        break;
    case BankWriteResult::CannotReplaceTarget:
        m_prompter.message("不能写入文件" + m_bankPath.string());
        break;
    }
    m_view.showProgress(1, steps, 1);
}

void BankEditor::exit()
{
    if (m_modified && !m_prompter.confirm("上次存盘后输入的数据还未保存\n真的要放弃这些数据吗？", "有数据未保存"))
        return;
    m_view.closeEditor();
}

} // namespace olv
