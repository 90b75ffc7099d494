#include "admin/settings/SettingsSave.h"

#include "common/ExamSettingsFile.h"

namespace olv {

SettingsSave saveExamSettings(const std::filesystem::path& file, ExamSettings& settings)
{
    deriveAnswerFile(settings);
    if (settings.examMinutes <= 0 || settings.earliestHandInMinutes < 0)
        return SettingsSave::ExamTimeRefused;
    // There is no upper limit on the minutes.
    if (settings.examMinutes < settings.earliestHandInMinutes)
        return SettingsSave::EarliestHandInRefused;
    return writeExamSettings(file, settings) ? SettingsSave::Saved : SettingsSave::WriteFailed;
}

} // namespace olv
