#include "admin/bank/import/BankImport.h"

#include "admin/bank/QuestionValidation.h"
#include "admin/bank/import/ImportReaders.h"
#include "admin/sheets/SheetReader.h"
#include "common/Utf8Check.h"
#include "platform/File.h"
#include "platform/Gbk.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace olv {

namespace {

bool endsWith(std::string_view name, std::string_view extension)
{
    if (name.size() < extension.size())
        return false;
    return std::ranges::equal(name.substr(name.size() - extension.size()), extension,
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

std::size_t firstBadGbk(std::string_view text)
{
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80)
            continue;
        if (!isGbkLeadByte(byte) || at + 1 >= text.size())
            return at;
        const auto trail = static_cast<unsigned char>(text[at + 1]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF)
            return at;
        ++at;
    }
    return std::string_view::npos;
}

std::string lineOf(std::string_view text, std::size_t at)
{
    return "第" + std::to_string(std::ranges::count(text.substr(0, at), '\n') + 1) + "行";
}

// A text of the file in the bank's encoding; false (and `gbk` empty) when GBK cannot hold it.
bool toGbk(std::string_view utf8, std::string& gbk)
{
    if (isAscii(utf8)) {
        gbk.assign(utf8);
        return true;
    }
    gbk = utf8ToGbk(utf8);
    if (std::ranges::count(gbk, '?') == std::ranges::count(utf8, '?'))
        return true;
    gbk.clear();
    return false;
}

// The text as UTF-8: a view of `bytes` when they are UTF-8 already (a byte order mark skipped),
// else of their conversion from GBK, kept in `converted`; or the failure with its line.
struct TextView
{
    std::string_view text;
    std::optional<std::string> failure;
};

TextView utf8View(std::string_view bytes, std::string& converted)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    const std::size_t badUtf8 = firstBadUtf8(bytes);
    if (badUtf8 == std::string_view::npos)
        return { bytes, std::nullopt };
    const std::size_t badGbk = firstBadGbk(bytes);
    if (badGbk == std::string_view::npos) {
        converted = gbkToUtf8(bytes);
        return { converted, std::nullopt };
    }
    return { {}, lineOf(bytes, std::max(badUtf8, badGbk)) + ": 文字既不是UTF-8也不是GBK编码" };
}

// Puts each question through the bank editor's tests as it comes; the form it fills is kept
// from one question to the next.
class Validator final : public ImportSink
{
public:
    void take(const ImportedQuestion& imported) override;
    ImportResult finish(std::optional<std::string> failure)
    {
        if (failure)
            return { {}, {}, std::move(failure) };
        return std::move(m_result);
    }

private:
    ImportResult m_result;
    Question m_typed;
    std::string m_stem;
};

void Validator::take(const ImportedQuestion& imported)
{
    if (!imported.refusal.empty()) {
        m_result.refusals.push_back({ imported.position, imported.refusal });
        return;
    }
    m_typed.kind = imported.question.kind;
    // The stem box separates its lines by CR LF.
    m_stem.clear();
    std::string_view rest = imported.question.stem;
    for (auto lineFeed = rest.find('\n'); lineFeed != std::string_view::npos; lineFeed = rest.find('\n')) {
        m_stem.append(rest.substr(0, lineFeed));
        m_stem.append("\r\n");
        rest.remove_prefix(lineFeed + 1);
    }
    m_stem.append(rest);
    bool holdable = toGbk(m_stem, m_typed.stem);
    for (std::size_t i = 0; i < m_typed.options.size(); ++i)
        holdable = toGbk(imported.question.options[i], m_typed.options[i]) && holdable;
    holdable = toGbk(imported.question.answer, m_typed.answer) && holdable;
    if (!holdable) {
        m_result.refusals.push_back({ imported.position, "含有GBK不能表示的字符" });
        return;
    }
    if (auto fault = formFault(m_typed, EditOperation::Append, m_typed.kind)) {
        m_result.refusals.push_back({ imported.position, std::move(*fault) });
        return;
    }
    Question stored = formQuestion(m_typed);
    m_result.questions.questionsOf(stored.kind).push_back(std::move(stored));
}

bool isSheetFile(std::string_view bytes, std::string_view fileName)
{
    return bytes.starts_with("PK\x03\x04") || endsWith(fileName, ".xlsx") || endsWith(fileName, ".csv");
}

ImportResult importSheet(const SheetReadResult& sheet)
{
    if (sheet.error) {
        std::string failure = sheet.error->reason;
        if (sheet.error->row > 0)
            failure = "第" + std::to_string(sheet.error->row) + "行: " + failure;
        return { {}, {}, std::move(failure) };
    }
    return validateImported(readQuestionSheet(sheet.rows));
}

} // namespace

std::string_view trimBlanks(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

ImportFormat recognizeImportFormat(std::string_view text, std::string_view fileName)
{
    const std::string_view start = trimBlanks(text.substr(0, std::min<std::size_t>(text.size(), 4096)));
    if (start.starts_with("<?xml") || start.starts_with("<quiz") || endsWith(fileName, ".xml"))
        return ImportFormat::MoodleXml;
    if (endsWith(fileName, ".csv") || endsWith(fileName, ".xlsx"))
        return ImportFormat::Sheet;
    if (endsWith(fileName, ".gift"))
        return ImportFormat::Gift;
    // Aiken has no braces; GIFT always has them around its answers.
    const std::string_view head = text.substr(0, std::min<std::size_t>(text.size(), 1 << 16));
    if (head.find('{') != std::string_view::npos && head.find("ANSWER:") == std::string_view::npos)
        return ImportFormat::Gift;
    return ImportFormat::Aiken;
}

DecodedText decodeImportText(std::string_view bytes)
{
    std::string converted;
    TextView decoded = utf8View(bytes, converted);
    if (decoded.failure)
        return { {}, std::move(decoded.failure) };
    if (decoded.text.data() == converted.data())
        return { std::move(converted), std::nullopt };
    return { std::string(decoded.text), std::nullopt };
}

ImportResult validateImported(ImportedFile file)
{
    Validator validator;
    if (!file.failure)
        for (const ImportedQuestion& imported : file.questions)
            validator.take(imported);
    return validator.finish(std::move(file.failure));
}

ImportResult importQuestions(std::string_view bytes, std::string_view fileName)
{
    if (bytes.size() > maxImportBytes)
        return { {}, {}, "文件太大: 超过" + std::to_string(maxImportBytes >> 20) + "MB" };
    // A sheet goes to the spreadsheet reader as it is: it knows the encodings and separators of CSV.
    if (isSheetFile(bytes, fileName)) {
        if (bytes.starts_with("PK\x03\x04") || endsWith(fileName, ".xlsx"))
            return { {}, {}, "XLSX工作簿只能从文件读入" };
        return importSheet(readSheetText(std::string(bytes)));
    }
    // UTF-8 bytes are read where they are; only GBK is converted into a text of its own.
    std::string converted;
    TextView decoded = utf8View(bytes, converted);
    if (decoded.failure)
        return { {}, {}, std::move(decoded.failure) };
    Validator validator;
    switch (recognizeImportFormat(decoded.text, fileName)) {
    case ImportFormat::Aiken:
        return validateImported(readAiken(decoded.text));
    case ImportFormat::Gift: {
        auto failure = readGift(decoded.text, validator);
        return validator.finish(std::move(failure));
    }
    case ImportFormat::MoodleXml: {
        auto failure = readMoodleXml(decoded.text, validator);
        return validator.finish(std::move(failure));
    }
    case ImportFormat::Sheet:
        break;
    }
    return importSheet(readSheetText(std::string(bytes)));
}

ImportResult importQuestionFile(const std::filesystem::path& path)
{
    auto file = File::open(path, OpenMode::ReadOnly, Sharing::Shared);
    if (!file)
        return { {}, {}, "不能打开文件" + path.string() };
    const auto size = file->size();
    if (size && static_cast<std::uint64_t>(*size) > maxImportBytes)
        return { {}, {}, "文件太大: 超过" + std::to_string(maxImportBytes >> 20) + "MB" };
    const auto bytes = file->readAll();
    if (!bytes)
        return { {}, {}, "不能读取文件" + path.string() };
    if (isSheetFile(*bytes, path.filename().string()))
        return importSheet(readSheet(path.string()));
    return importQuestions(*bytes, path.filename().string());
}

std::string importSummary(const ImportResult& result)
{
    const auto count = [&](QuestionKind kind) { return std::to_string(result.questions.questionsOf(kind).size()); };
    return "单选题 " + count(QuestionKind::SingleChoice) + " 道, 多选题 " + count(QuestionKind::MultipleChoice)
        + " 道, 判断题 " + count(QuestionKind::TrueFalse) + " 道; 不能导入 " + std::to_string(result.refusals.size())
        + " 道";
}

} // namespace olv
