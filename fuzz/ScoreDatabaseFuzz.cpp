// The score database: the client's lookup and rewrite of a candidate's line, and the examiner's
// reading of every line.
#include "FuzzFiles.h"
#include "common/ScoreDatabase.h"

using namespace olv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path path = fuzz::scratchFolder() / "cj.kcj";
    fuzz::writeFile(path, fuzz::bytesOf(data, size));
    for (const std::string& line : readScoreLines(path, OpenMode::ReadOnly).lines)
        decodeScoreLineAdminRule(line);
    std::optional<File> file = File::open(path, OpenMode::ReadWriteExisting, Sharing::Exclusive);
    if (!file)
        return 0;
    findScoreRecord(*file, "20240101", ScoreMatch::SpaceFree);
    const std::string examNumber = "20240102      ";
    if (std::optional<FoundScoreRecord> found = findScoreRecord(*file, examNumber, ScoreMatch::Padded))
        rewriteScoreRecord(*file, *found, { found->record.schoolClass, found->record.name, examNumber, loginMark() });
    else
        appendScoreRecord(*file, { "class", "name", examNumber, loginMark() });
    return 0;
}
