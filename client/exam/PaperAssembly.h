#pragma once

namespace olv {

struct ClientEnvironment;
struct ExamState;

// Builds the candidate's paper from the bank the settings name: reads the bank through the
// workspace temporary, draws the paper at the clock's time, takes the bank question numbers
// from the question index on resumption, writes the paper file, the question index and the
// settings copy (not in review mode) and renders the paper lines. False, after the message
// of the failed step, when the exam cannot go on.
bool assemblePaper(ExamState& state, const ClientEnvironment& env);

} // namespace olv
