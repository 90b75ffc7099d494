#pragma once

#include "common/ExamSettingsFile.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace olv {

class Workspace;

// exam number (spaces removed) + name + extension, safe to stand in the exam folder. GBK.
std::string reviewCopyName(std::string_view examNumber, std::string_view name, std::string_view extension);

// The same copy named as the settings name files (exam folder + "\" + name), e.g. as the bank. GBK.
std::string reviewCopySetting(
    const ExamSettings& settings, std::string_view examNumber, std::string_view name, std::string_view extension);

// Where a candidate's copy lies in the exam folder on this machine.
std::filesystem::path reviewCopyPath(const ExamSettings& settings, std::string_view examNumber, std::string_view name,
    std::string_view extension, const std::filesystem::path& localDriveRoot);

// Copies the marked answer card (".das") and the paper (".kst") of the workspace into the
// exam folder, replacing older copies. Failures are not reported: the exam is over by then.
void copyForReview(const ExamSettings& settings, const Workspace& workspace, std::string_view examNumber,
    std::string_view name, const std::filesystem::path& localDriveRoot);

} // namespace olv
