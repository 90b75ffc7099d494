#include "client/startup/ExamFolder.h"

#include "client/startup/SafeFileName.h"
#include "client/startup/Workspace.h"
#include "common/TextFields.h"
#include "platform/FileSystem.h"
#include "platform/PathMapping.h"

namespace olv {

std::string reviewCopyName(std::string_view examNumber, std::string_view name, std::string_view extension)
{
    return safeFileName(removeSpaces(examNumber) + std::string(name) + std::string(extension));
}

std::string reviewCopySetting(
    const ExamSettings& settings, std::string_view examNumber, std::string_view name, std::string_view extension)
{
    return examFolderName(settings) + "\\" + reviewCopyName(examNumber, name, extension);
}

std::filesystem::path reviewCopyPath(const ExamSettings& settings, std::string_view examNumber, std::string_view name,
    std::string_view extension, const std::filesystem::path& localDriveRoot)
{
    return nativePath(reviewCopySetting(settings, examNumber, name, extension), localDriveRoot);
}

void copyForReview(const ExamSettings& settings, const Workspace& workspace, std::string_view examNumber,
    std::string_view name, const std::filesystem::path& localDriveRoot)
{
    copyFile(workspace.answerCardFile(examNumber), reviewCopyPath(settings, examNumber, name, ".das", localDriveRoot));
    copyFile(workspace.paperFile(examNumber), reviewCopyPath(settings, examNumber, name, ".kst", localDriveRoot));
}

} // namespace olv
