#include "common/Answer.h"

#include "platform/Gbk.h"

#include <algorithm>

namespace olv {

namespace {

void upperCaseLetters(std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (isGbkLeadByte(byte))
            ++i;
        else if (byte >= 'a' && byte <= 'z')
            text[i] = static_cast<char>(byte - 'a' + 'A');
    }
}

bool signedLess(char left, char right) { return static_cast<signed char>(left) < static_cast<signed char>(right); }

} // namespace

std::string normalizeAnswer(QuestionKind kind, std::string_view answer)
{
    std::string stored(answer);
    upperCaseLetters(stored);
    if (kind == QuestionKind::MultipleChoice)
        std::sort(stored.begin(), stored.end(), signedLess);
    return stored;
}

} // namespace olv
