#include "tools/OlvTool.h"

#include "common/ExamSettingsFile.h"
#include "common/LineViews.h"
#include "common/QuestionBankFile.h"
#include "platform/File.h"
#include "platform/Gbk.h"

#include <algorithm>
#include <filesystem>
#include <unistd.h>

namespace olv::tool {

void expectArguments(const std::vector<std::string>& args, std::size_t count, const char* usage)
{
    if (args.size() != count)
        throw ToolError(std::string("usage: olvtool ") + usage);
}

std::string openFailure(const std::string& path)
{
    using std::filesystem::file_type;
    std::error_code error;
    const file_type type = std::filesystem::status(path, error).type();
    if (type == file_type::not_found)
        return "cannot open " + path + ": no such file";
    if (type != file_type::regular && type != file_type::none && type != file_type::unknown)
        return "cannot open " + path + ": not a regular file";
    return "cannot open " + path + " (in use, not permitted, or too large)";
}

std::string readWholeFile(const std::string& path)
{
    auto file = File::open(path, OpenMode::ReadOnly, Sharing::Shared);
    if (!file)
        throw ToolError(openFailure(path));
    auto bytes = file->readAll();
    if (!bytes)
        throw ToolError("cannot read " + path);
    return *bytes;
}

std::string readGbkText(const std::string& path)
{
    std::string text = readWholeFile(path);
    // Windows Notepad starts its UTF-8 files with a byte order mark.
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    std::erase(text, '\r');
    std::string gbkText;
    std::size_t lineNumber = 0;
    for (const std::string_view line : lineViews(text)) {
        ++lineNumber;
        const std::string gbkLine = utf8ToGbk(line);
        // The codec turns what GBK cannot hold into "?".
        if (std::ranges::count(gbkLine, '?') != std::ranges::count(line, '?'))
            throw ToolError(path + " line " + std::to_string(lineNumber) + ": a character that GBK cannot hold");
        gbkText += gbkLine;
        gbkText += '\n';
    }
    return gbkText;
}

std::string displayText(std::string_view gbk)
{
    std::string text;
    text.reserve(gbk.size());
    for (std::size_t i = 0; i < gbk.size(); ++i) {
        if (gbk[i] == '\r' && i + 1 < gbk.size() && gbk[i + 1] == '\n')
            continue;
        text += gbk[i];
    }
    return gbkToUtf8(text);
}

void printTaggedLines(const std::vector<RenderedLine>& lines, std::ostream& out)
{
    for (const auto& line : lines) {
        if (line.tag == noQuestionTag)
            out << '-';
        else
            out << line.tag;
        out << '\t' << gbkToUtf8(line.text) << '\n';
    }
}

ExamSettings readSettingsFile(const std::string& path, ExamSettings defaults)
{
    switch (readExamSettings(path, defaults)) {
    case SettingsRead::Read:
        break;
    case SettingsRead::NotFound:
        throw ToolError("cannot open the settings file " + path);
    case SettingsRead::ReadError:
        throw ToolError("cannot read the settings file " + path);
    }
    if (defaults.bankFile.empty())
        throw ToolError("the settings file " + path + " is empty or names no question bank");
    return defaults;
}

QuestionBank readBank(const std::string& path)
{
    const auto temporary
        = std::filesystem::temp_directory_path() / ("olvtool-" + std::to_string(::getpid()) + ".bak");
    auto result = readQuestionBank(path, temporary);
    if (result.bank)
        return std::move(*result.bank);
    switch (result.failure) {
    case BankReadFailure::CannotOpenBank:
        throw ToolError(openFailure(path) + " (the question bank)");
    case BankReadFailure::CannotCreateTemporary:
    case BankReadFailure::CannotOpenTemporary:
        break;
    }
    throw ToolError("cannot create the temporary file " + temporary.string());
}

void writeBank(const QuestionBank& bank, const std::string& path)
{
    switch (writeQuestionBank(bank, path)) {
    case BankWriteResult::Written:
        return;
    case BankWriteResult::CannotCreateTemporary:
        throw ToolError("cannot create the temporary file beside " + path);
    case BankWriteResult::CannotReplaceTarget:
        break;
    }
    throw ToolError("cannot write " + path);
}

long long parseWholeNumber(const std::string& text, const char* name)
{
    std::size_t used = 0;
    long long number = 0;
    try {
        number = std::stoll(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size())
        throw ToolError(std::string(name) + " must be a whole number: " + text);
    return number;
}

} // namespace olv::tool
