#pragma once

namespace olv {

struct ClientEnvironment;
struct ExamState;

// Marks the candidate as logged in: the roster line of the exam number gets the login mark
// (class and name then come from the roster), or a new line is appended when the roster is
// not required. The score database stays locked while the start-up checks run (bank file,
// temporary file, screen) and is written only when all of them pass. False, after the
// message, when the exam cannot start.
bool writeLoginMark(ExamState& state, const ClientEnvironment& env);

} // namespace olv
