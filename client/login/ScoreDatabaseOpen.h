#pragma once

#include "platform/File.h"

#include <optional>

namespace olv {

struct ClientEnvironment;
struct ExamSettings;

// The settings' score database, held exclusively for reading and writing and created when
// missing (waiting up to candidateLockWait for another machine). Nothing, after the message, when
// it cannot be opened.
std::optional<File> openScoreDatabase(const ExamSettings& settings, const ClientEnvironment& env);

} // namespace olv
