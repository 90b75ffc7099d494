#include "tools/OlvTool.h"

#include "common/ExamSettingsFile.h"

namespace olv::tool {

void settingsDefaults(const std::vector<std::string>& args, std::ostream&)
{
    expectArguments(args, 1, "settings-defaults FILE");
    if (!writeExamSettings(args[0], adminDefaults()))
        throw ToolError("cannot write " + args[0]);
}

} // namespace olv::tool
