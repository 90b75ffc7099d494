#pragma once

#include "common/ExamSettings.h"

#include <filesystem>

namespace olv {

enum class SettingsSave
{
    Saved,
    ExamTimeRefused, // no minutes, or an earliest hand-in before the start
    EarliestHandInRefused, // the earliest hand-in after the end
    WriteFailed, // the file is as it was
};

// The saving steps of the examiner's settings once the values are taken: the answer sheet path
// derived from subject and exam name, the two times checked, the file written through a
// temporary beside it.
SettingsSave saveExamSettings(const std::filesystem::path& file, ExamSettings& settings);

} // namespace olv
