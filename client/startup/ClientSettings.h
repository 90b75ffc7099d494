#pragma once

namespace olv {

struct ClientEnvironment;
struct ExamState;

// Reads the settings into state.settings, preferring a complete workspace copy (which resumes
// its exam: `resumed` set, examNumber from its 24th line) over "olvane.dat" in the working
// directory. An incomplete copy is reported and deleted. False when no settings could be
// read; the settings then hold what they held before, or what was read before a read error
// (a read error in the copy still counts as resuming). Flags are held as 0 or 1.
bool loadClientSettings(ExamState& state, const ClientEnvironment& env);

} // namespace olv
