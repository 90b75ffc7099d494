// olvtool roster-pack: a roster as UTF-8 text, packed into a score database.
#include "FuzzFiles.h"
#include "tools/OlvTool.h"

#include <sstream>

using namespace olv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path text = fuzz::scratchFolder() / "roster.txt";
    fuzz::writeFile(text, fuzz::bytesOf(data, size));
    std::ostringstream out;
    try {
        tool::rosterPack({ text.string(), (fuzz::scratchFolder() / "cj.kcj").string() }, out);
    } catch (const tool::ToolError&) { }
    return 0;
}
