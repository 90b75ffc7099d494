#pragma once

// The exam settings a sample or written paper is drawn by in tests (header only).

#include "common/ExamSettingsFile.h"
#include "common/PaperDrawing.h"

#include <string>

namespace olv::test {

// The examiner's defaults with `bankFile`, the number of questions of each kind and `mode`.
inline ExamSettings paperSettings(const std::string& bankFile, const KindCounts& counts, DrawMode mode)
{
    ExamSettings settings = adminDefaults();
    settings.bankFile = bankFile;
    settings.singleChoiceCount = counts[0];
    settings.multipleChoiceCount = counts[1];
    settings.trueFalseCount = counts[2];
    settings.drawMode = mode;
    return settings;
}

} // namespace olv::test
