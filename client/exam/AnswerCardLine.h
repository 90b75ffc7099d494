#pragma once

#include <string>
#include <string_view>

namespace olv {

// An answer card line reads the question number, "--" and the confirmed letters ("12--AC").
std::string answerCardLine(int questionNumber, std::string_view answer);

// The letters of a line: the text after the first "--" found from the line's second byte on,
// so a marked line ("√12--AC") gives the same letters. Empty when there is no "--".
std::string_view answerOfCardLine(std::string_view line);

} // namespace olv
