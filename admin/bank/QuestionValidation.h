#pragma once

#include "common/QuestionRules.h"

#include <optional>
#include <string>

namespace olv {

// How the form's question is to be stored. Insert and replace also test its position.
enum class EditOperation
{
    Append,
    Insert,
    Replace
};

// The editor's message for a broken rule (UTF-8).
std::string ruleMessage(QuestionRule rule);
// The editor's words for a stem that counts as the same as question `number`'s.
std::string duplicateStemMessage(int number);

// The editor's tests of the form's question, in their order for `operation`: the rules of a
// valid question, a "/n" typed into the stem, and for insert and replace whether the kind
// fits `kindAtCurrent`, the section of the current question. `typed` holds the stem as
// typed (lines separated by CR LF) and the answer as typed. The message of the first test
// that fails, or nothing.
std::optional<std::string> formFault(const Question& typed, EditOperation operation, QuestionKind kindAtCurrent);

// The form's question as the bank stores it once it passed formFault: the stem's line breaks
// as "/n", no options for true/false, the answer in its stored form.
Question formQuestion(const Question& typed);

} // namespace olv
