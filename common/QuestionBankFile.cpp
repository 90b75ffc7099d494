#include "common/QuestionBankFile.h"

#include "common/BankText.h"
#include "common/ByteSwap.h"
#include "common/LineViews.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/ReplacingWrite.h"

#include <cerrno>
#include <array>
#include <span>

namespace olv {

namespace {

// Reads the lines of a text one after the other.
class LineCursor
{
public:
    explicit LineCursor(std::span<const std::string_view> lines)
        : m_lines(lines)
    { }

    // False at the end of the text.
    bool next(std::string_view& line)
    {
        if (m_lines.empty())
            return false;
        line = m_lines.front();
        m_lines = m_lines.subspan(1);
        return true;
    }

    // A line past the end of the text reads as empty.
    std::string_view nextOrEmpty()
    {
        std::string_view line;
        next(line);
        return line;
    }

private:
    std::span<const std::string_view> m_lines; // still to read
};

// The lines of one question as the text holds them.
struct QuestionLines
{
    QuestionKind kind;
    std::string_view stem;
    std::array<std::string_view, 4> options;
    std::string_view answer;
};

// Six-line records up to the marker line `end`. False when the text ends first; a record
// cut short by the end is completed with empty lines.
template <typename Visit>
bool forEachChoiceRecord(LineCursor& lines, QuestionKind kind, std::string_view end, Visit& visit)
{
    std::string_view line;
    while (lines.next(line)) {
        if (line == end)
            return true;
        QuestionLines record { kind, line, {}, {} };
        for (auto& option : record.options)
            option = lines.nextOrEmpty();
        record.answer = lines.nextOrEmpty();
        visit(record);
    }
    return false;
}

// Calls `visit` with every question of a bank text, in order. Line 1 is the single-choice
// marker and is not checked; the true/false section runs to the end of the text.
template <typename Visit>
void forEachQuestion(std::span<const std::string_view> textLines, Visit visit)
{
    LineCursor lines(textLines);
    std::string_view line;
    if (!lines.next(line)
        || !forEachChoiceRecord(lines, QuestionKind::SingleChoice, sectionMarker(QuestionKind::MultipleChoice), visit)
        || !forEachChoiceRecord(lines, QuestionKind::MultipleChoice, sectionMarker(QuestionKind::TrueFalse), visit))
        return;
    while (lines.next(line))
        visit(QuestionLines { QuestionKind::TrueFalse, line, {}, lines.nextOrEmpty() });
}

void addQuestion(QuestionBank& bank, const QuestionLines& record)
{
    Question& question = bank.questionsOf(record.kind).emplace_back();
    question.kind = record.kind;
    question.stem = record.stem;
    for (std::size_t i = 0; i < record.options.size(); ++i)
        question.options[i] = record.options[i];
    question.answer = record.answer;
}

std::size_t textSize(const QuestionBank& bank)
{
    std::size_t size = 0;
    for (QuestionKind kind : allQuestionKinds) {
        size += sectionMarker(kind).size() + 2;
        for (const Question& question : bank.questionsOf(kind)) {
            size += question.stem.size() + question.answer.size() + 4;
            if (kind != QuestionKind::TrueFalse)
                for (const auto& option : question.options)
                    size += option.size() + 2;
        }
    }
    return size;
}

void appendLine(std::string& text, std::string_view line)
{
    text += line;
    text += "\r\n";
}

std::optional<std::string> readBankBytes(const std::filesystem::path& bankPath, std::chrono::milliseconds lockWait)
{
    auto bank = File::open(bankPath, OpenMode::ReadOnly, Sharing::Exclusive, lockWait);
    if (!bank)
        return std::nullopt;
    return bank->readAll();
}

bool canCreateTemporary(const std::filesystem::path& temporaryPath)
{
    // Only a probe made here is removed; a file already of that name is someone else's.
    if (!File::open(temporaryPath, OpenMode::CreateNew, Sharing::Shared)) {
        std::error_code error;
        return errno == EEXIST && std::filesystem::is_regular_file(temporaryPath, error);
    }
    removeFile(temporaryPath);
    return true;
}

} // namespace

QuestionBank parseQuestionBankText(std::string_view text)
{
    // The lines are split once and walked twice: counting first lets each list be allocated
    // once, where a growing list would move all its questions again and again.
    const auto lines = lineViews(text);
    std::array<std::size_t, 3> counts {};
    forEachQuestion(lines, [&](const QuestionLines& record) { ++counts[static_cast<std::size_t>(record.kind)]; });
    QuestionBank bank;
    for (QuestionKind kind : allQuestionKinds)
        bank.questionsOf(kind).reserve(counts[static_cast<std::size_t>(kind)]);
    forEachQuestion(lines, [&](const QuestionLines& record) { addQuestion(bank, record); });
    return bank;
}

std::string questionBankText(const QuestionBank& bank)
{
    std::string text;
    text.reserve(textSize(bank));
    for (QuestionKind kind : allQuestionKinds) {
        appendLine(text, sectionMarker(kind));
        for (const Question& question : bank.questionsOf(kind)) {
            appendLine(text, question.stem);
            if (kind != QuestionKind::TrueFalse)
                for (const auto& option : question.options)
                    appendLine(text, option);
            appendLine(text, question.answer);
        }
    }
    return text;
}

BankReadResult readQuestionBank(const std::filesystem::path& bankPath, const std::filesystem::path& temporaryPath,
    std::chrono::milliseconds lockWait)
{
    auto bytes = readBankBytes(bankPath, lockWait);
    if (!bytes)
        return { std::nullopt, BankReadFailure::CannotOpenBank };
    if (!canCreateTemporary(temporaryPath))
        return { std::nullopt, BankReadFailure::CannotCreateTemporary };
    swapBytePairs(*bytes);
    return { parseQuestionBankText(*bytes) };
}

BankWriteResult writeQuestionBank(const QuestionBank& bank, const std::filesystem::path& targetPath)
{
    std::string bytes = questionBankText(bank);
    swapBytePairs(bytes);
    switch (replaceFileContent(
        targetPath, [&](File& file) { return file.write(bytes); }, { std::string(bankWriteTemporaryName) })) {
    case ReplacingWriteResult::Written:
        return BankWriteResult::Written;
    case ReplacingWriteResult::TargetBusy:
    case ReplacingWriteResult::CannotCreateTemporary:
    case ReplacingWriteResult::CannotWriteTemporary:
        return BankWriteResult::CannotCreateTemporary;
    case ReplacingWriteResult::TargetNotWritable:
    case ReplacingWriteResult::ReplaceFailed:
        break;
    }
    return BankWriteResult::CannotReplaceTarget;
}

} // namespace olv
