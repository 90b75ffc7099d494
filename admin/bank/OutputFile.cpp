#include "admin/bank/OutputFile.h"

#include "platform/ReplacingWrite.h"

#include <system_error>

namespace olv {

std::optional<OutputName> askOutputName(Prompter& prompter, std::string_view defaultExtension)
{
    auto name = prompter.saveName(defaultExtension);
    if (!name)
        return std::nullopt;
    OutputName output { *name, std::filesystem::path(*name) };
    // The file system decides whether the name is taken, so a relative and an absolute
    // spelling of one file, or a link to it, are asked about alike.
    std::error_code error;
    if (std::filesystem::exists(output.path, error)
        && !prompter.confirm(output.shown + " 文件已经存在,覆盖它吗?", "覆盖文件"))
        return std::nullopt;
    return output;
}

bool sameFile(const std::filesystem::path& first, const std::filesystem::path& second)
{
    std::error_code error;
    return std::filesystem::equivalent(first, second, error);
}

std::string listText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

bool writeTextLines(const std::filesystem::path& target, const std::vector<std::string>& lines)
{
    return writeTextReplacing(target, listText(lines));
}

bool writeTextLinesTelling(const OutputName& target, const std::vector<std::string>& lines, Prompter& prompter)
{
    if (writeTextLines(target.path, lines))
        return true;
    prompter.message("不能打开" + target.shown + "文件");
    return false;
}

} // namespace olv
