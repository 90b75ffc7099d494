// The exam settings reader, as both programs and the client's workspace copy read it.
#include "FuzzFiles.h"
#include "common/ExamSettingsFile.h"

using namespace olv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path file = fuzz::scratchFolder() / "olvane.dat";
    fuzz::writeFile(file, fuzz::bytesOf(data, size));
    ExamSettings admin = adminDefaults();
    if (readExamSettings(file, admin) == SettingsRead::Read)
        deriveAnswerFile(admin);
    ExamSettings client = clientDefaults();
    std::string examNumber;
    readExamSettings(file, client, examNumber);
    examFolderName(client);
    return 0;
}
