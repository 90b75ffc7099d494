#include "client/exam/AnswerCardLine.h"

namespace olv {

std::string answerCardLine(int questionNumber, std::string_view answer)
{
    return std::to_string(questionNumber) + "--" + std::string(answer);
}

std::string_view answerOfCardLine(std::string_view line)
{
    if (line.size() < 2)
        return {};
    const std::size_t dashes = line.find("--", 1);
    return dashes == std::string_view::npos ? std::string_view() : line.substr(dashes + 2);
}

} // namespace olv
