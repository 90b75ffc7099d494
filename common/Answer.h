#pragma once

#include "common/Question.h"

#include <string>
#include <string_view>

namespace olv {

// The stored form of an answer: letters a-z upper-cased (GBK double-byte characters left
// alone); a multiple-choice answer then has its bytes sorted as signed 8-bit values, so
// "dba" becomes "ABD".
std::string normalizeAnswer(QuestionKind kind, std::string_view answer);

} // namespace olv
