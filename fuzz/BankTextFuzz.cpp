// olvtool bank-pack: a bank as UTF-8 text, packed into a bank file.
#include "FuzzFiles.h"
#include "tools/OlvTool.h"

#include <sstream>

using namespace olv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path text = fuzz::scratchFolder() / "bank.txt";
    fuzz::writeFile(text, fuzz::bytesOf(data, size));
    std::ostringstream out;
    try {
        tool::bankPack({ text.string(), (fuzz::scratchFolder() / "bank.kst").string() }, out);
    } catch (const tool::ToolError&) { }
    return 0;
}
