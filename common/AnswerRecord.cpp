#include "common/AnswerRecord.h"

#include "common/ScoreRecord.h"
#include "common/TextFields.h"

#include <algorithm>

namespace olv {

namespace {

char upperCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view field(std::string_view line, std::size_t start, std::size_t width)
{
    return start < line.size() ? line.substr(start, width) : std::string_view();
}

// The answer at a paper position; empty (unanswered) where the list ends early.
std::string_view at(const std::vector<std::string>& answers, std::size_t position)
{
    return position < answers.size() ? std::string_view(answers[position]) : std::string_view();
}

} // namespace

bool answersMatch(std::string_view candidateAnswer, std::string_view correctAnswer)
{
    return std::ranges::equal(
        candidateAnswer, correctAnswer, [](char a, char b) { return upperCase(a) == upperCase(b); });
}

std::string formatAnswerRecord(std::string_view scoreText, std::string_view examNumber, std::size_t bankQuestionCount,
    const std::vector<int>& bankNumbers, const std::vector<std::string>& candidateAnswers,
    const std::vector<std::string>& correctAnswers)
{
    std::string marks(bankQuestionCount, '*');
    // Backwards, so that a bank question standing twice on the paper takes its first position.
    for (std::size_t position = bankNumbers.size(); position-- > 0;) {
        int bankNumber = bankNumbers[position];
        if (bankNumber < 1 || static_cast<std::size_t>(bankNumber) > bankQuestionCount)
            continue;
        marks[bankNumber - 1] = answersMatch(at(candidateAnswers, position), at(correctAnswers, position)) ? 'R' : 'E';
    }
    return padRight(scoreText, answerScoreWidth) + padRight(examNumber, examNumberWidth) + marks;
}

bool appendAnswerRecord(File& file, std::string_view recordText)
{
    return file.appendLine(textModeBytes(std::string(recordText) + "\r\n"));
}

std::optional<std::string> findAnswerRecord(File& file, std::string_view examNumber)
{
    if (!file.seek(0))
        return std::nullopt;
    std::string padded = padRight(examNumber, examNumberWidth);
    std::string line;
    while (file.readTextLine(line)) {
        if (line.size() >= answerMarksStart && field(line, answerScoreWidth, examNumberWidth) == padded)
            return line;
    }
    return std::nullopt;
}

AnswerRecord parseAnswerRecord(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return AnswerRecord { std::string(field(line, 0, answerScoreWidth)),
        std::string(field(line, answerScoreWidth, examNumberWidth)),
        std::string(field(line, answerMarksStart, std::string_view::npos)) };
}

TextLines readAnswerLines(const std::filesystem::path& path, std::size_t longest)
{
    return readTextLines(path, OpenMode::ReadOnly, Sharing::Shared, longest);
}

} // namespace olv
