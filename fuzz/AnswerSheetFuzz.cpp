// The answer sheet: every record as the examiner's views read it, and the lookup of review mode.
#include "FuzzFiles.h"
#include "common/AnswerRecord.h"

using namespace olv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path path = fuzz::scratchFolder() / "daan.txt";
    fuzz::writeFile(path, fuzz::bytesOf(data, size));
    for (const std::string& line : readAnswerLines(path).lines)
        parseAnswerRecord(line);
    if (std::optional<File> file = File::open(path, OpenMode::ReadOnly, Sharing::Shared)) {
        if (std::optional<std::string> record = findAnswerRecord(*file, "1001"))
            parseAnswerRecord(*record);
    }
    return 0;
}
