#include "client/startup/Workspace.h"

#include "client/exam/AnswerCardCheck.h"
#include "client/startup/SafeFileName.h"
#include "common/CNumbers.h"
#include "common/ExamSettingsFile.h"
#include "common/TextFields.h"
#include "common/TextLines.h"
#include "platform/File.h"
#include "platform/PathMapping.h"
#include "platform/ReplacingWrite.h"

#include <set>

namespace olv {

namespace {

// An answer card file that still ends with its elapsed-time line ends with these many bytes:
// ten characters of "%-10ld" and CR LF.
constexpr std::int64_t elapsedLineBytes = 12;

std::string fileName(std::string_view examNumber, std::string_view extension)
{
    return safeFileName(removeSpaces(examNumber)) + std::string(extension);
}

bool opensForReading(const std::filesystem::path& path)
{
    return File::open(path, OpenMode::ReadOnly, Sharing::Shared).has_value();
}

// Reads `count` lines; nothing when the file ends or fails first.
std::optional<std::vector<std::string>> readLines(File& file, int count)
{
    std::vector<std::string> lines;
    std::string line;
    for (int i = 0; i < count; ++i) {
        if (readLine(file, line) != LineRead::Line)
            return std::nullopt;
        lines.push_back(line);
    }
    return lines;
}

bool endsWithElapsedLine(File& card)
{
    std::optional<std::int64_t> size = card.size();
    std::string line;
    if (!size || *size < elapsedLineBytes || !card.seek(*size - elapsedLineBytes) || !card.readTextLine(line))
        return false;
    return !line.starts_with("***") && line.ends_with("  ");
}

} // namespace

std::filesystem::path Workspace::settingsCopy() const { return m_folder / "olvane.dat"; }

std::filesystem::path Workspace::paperFile(std::string_view examNumber) const { return fileOf(examNumber, ".kst"); }

std::filesystem::path Workspace::questionIndexFile(std::string_view examNumber) const
{
    return fileOf(examNumber, ".sth");
}

std::filesystem::path Workspace::answerCardFile(std::string_view examNumber) const
{
    return fileOf(examNumber, ".das");
}

std::filesystem::path Workspace::bankTemporary(std::string_view examNumber) const { return fileOf(examNumber, ".bak"); }

std::filesystem::path Workspace::handInFile(std::string_view examNumber) const { return fileOf(examNumber, ".hnd"); }

// Mapped like every GBK name, so the paper file and paperFileSetting always agree.
std::filesystem::path Workspace::fileOf(std::string_view examNumber, std::string_view extension) const
{
    return m_folder / nativePath(fileName(examNumber, extension), {});
}

std::string paperFileSetting(std::string_view examNumber)
{
    return "d:\\ExaminationTemporary\\" + fileName(examNumber, ".kst");
}

std::string answerCardText(const AnswerCardFile& card)
{
    std::string text;
    for (const std::string& line : card.lines)
        text.append(line).append("\n");
    text.append(std::to_string(card.bankQuestionCount)).append("\n");
    text.append(padRight(std::to_string(card.elapsedSeconds), 10)).append("\n");
    return text;
}

bool writeAnswerCardFile(const Workspace& workspace, std::string_view examNumber, const AnswerCardFile& card)
{
    return writeTextReplacing(workspace.answerCardFile(examNumber), answerCardText(card));
}

BankWriteResult writePaperFile(const Workspace& workspace, std::string_view examNumber, const QuestionBank& paper)
{
    return writeQuestionBank(paper, workspace.paperFile(examNumber));
}

bool writeQuestionIndex(const Workspace& workspace, std::string_view examNumber, const std::vector<int>& bankNumbers)
{
    std::string text;
    for (int number : bankNumbers)
        text.append(std::to_string(number)).append("\n");
    return writeTextReplacing(workspace.questionIndexFile(examNumber), text);
}

bool writeWorkspaceSettings(const Workspace& workspace, const ExamSettings& settings, std::string_view examNumber)
{
    return writeExamSettings(workspace.settingsCopy(), settings, padRight(examNumber, 14));
}

std::optional<std::vector<int>> readQuestionIndex(
    const Workspace& workspace, std::string_view examNumber, int questionCount)
{
    std::optional<File> file = File::open(workspace.questionIndexFile(examNumber), OpenMode::ReadOnly, Sharing::Shared);
    if (!file)
        return std::nullopt;
    std::optional<std::vector<std::string>> lines = readLines(*file, questionCount);
    if (!lines)
        return std::nullopt;
    std::vector<int> numbers;
    std::set<int> seen;
    for (const std::string& line : *lines) {
        const int number = cAtoi(line);
        if (number < 1 || number > maxBankQuestions || !seen.insert(number).second)
            return std::nullopt;
        numbers.push_back(number);
    }
    return numbers;
}

std::optional<AnswerCardFile> readAnswerCard(File& file, int questionCount)
{
    std::optional<std::vector<std::string>> lines = readLines(file, questionCount);
    if (!lines)
        return std::nullopt;
    AnswerCardFile card;
    card.lines = std::move(*lines);
    std::string line;
    readLine(file, line); // a missing line reads as empty: 0
    card.bankQuestionCount = cAtoi(line);
    if (readLine(file, line) != LineRead::Line)
        return std::nullopt;
    card.elapsedSeconds = cAtoi(line); // atol with a 32-bit long, as the file's writers have
    return card;
}

std::optional<AnswerCardFile> readAnswerCardFile(
    const Workspace& workspace, std::string_view examNumber, int questionCount)
{
    std::optional<File> file = File::open(workspace.answerCardFile(examNumber), OpenMode::ReadOnly, Sharing::Shared);
    if (!file)
        return std::nullopt;
    return readAnswerCard(*file, questionCount);
}

bool isWorkspaceComplete(const Workspace& workspace, std::string_view examNumber)
{
    if (!opensForReading(workspace.paperFile(examNumber)) || !opensForReading(workspace.questionIndexFile(examNumber))
        || !opensForReading(workspace.settingsCopy()))
        return false;
    // A hand-in under way has marked the answer card; its progress file holds the card instead.
    if (opensForReading(workspace.handInFile(examNumber)))
        return true;
    std::optional<File> card = File::open(workspace.answerCardFile(examNumber), OpenMode::ReadOnly, Sharing::Shared);
    return card && endsWithElapsedLine(*card);
}

} // namespace olv
