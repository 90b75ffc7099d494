#include "admin/sheets/SheetReader.h"

#include "admin/sheets/UnpackingPart.h"
#include "admin/xml/XmlEncoding.h"
#include "admin/xml/XmlReader.h"
#include "common/Utf8Check.h"
#include "platform/Gbk.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string_view>
#include <zip.h>

namespace olv {

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Thrown inside a reading, caught once at the top.
struct Refusal
{
    SheetError error;
};

[[noreturn]] void refuse(std::size_t row, std::string reason) { throw Refusal { { row, std::move(reason) } }; }

void trimTrailingEmptyRows(Rows& rows)
{
    while (!rows.empty()) {
        bool empty = true;
        for (const std::string& cell : rows.back())
            empty = empty && cell.empty();
        if (!empty)
            return;
        rows.pop_back();
    }
}

// ---- XLSX ----

struct ZipCloser
{
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Zip = std::unique_ptr<zip_t, ZipCloser>;

struct ZipFileCloser
{
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// The part `name` on its way out of the archive; nothing when the workbook has no such part.
std::unique_ptr<UnpackingPart> openPart(zip_t* archive, const char* name)
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive, name, 0, &stat) != 0)
        return nullptr;
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        refuse(0, "工作簿设了密码，请另存为不加密的文件");
    if (!(stat.valid & ZIP_STAT_SIZE) || stat.size > sheetPartLimit)
        refuse(0, std::string("工作簿的 ") + name + " 解压后太大");
    std::shared_ptr<zip_file_t> file(zip_fopen(archive, name, 0), ZipFileCloser());
    if (!file)
        refuse(0, std::string("工作簿的 ") + name + " 不能读出（文件损坏或设了密码）");
    return std::make_unique<UnpackingPart>(static_cast<std::size_t>(stat.size),
        [file](char* into, std::size_t most) { return zip_fread(file.get(), into, most); });
}

// The declaration, where a part names its encoding, stands in the first bytes.
constexpr std::size_t declarationWindow = 64 * 1024;

// Runs `parse` over the XML of the part `name` while the part is unpacked; false when the
// workbook has no such part. Text in another encoding is converted once it is all there; text
// that is not in an encoding XML allows reads as an XML error where it starts. A part that cannot
// be unpacked whole, is longer than stated or fails its checksum counts as damaged, before
// anything the reading found.
template <typename Parse>
bool parsePart(zip_t* archive, const char* name, Parse parse)
{
    const std::unique_ptr<UnpackingPart> part = openPart(archive, name);
    if (!part)
        return false;
    const auto refuseIfDamaged = [&] {
        if (!part->unpackedWhole())
            refuse(0, std::string("工作簿的 ") + name + " 不能读出（文件损坏）");
    };
    try {
        if (plainlyUtf8(part->start(declarationWindow))) {
            XmlReader xml([&](std::size_t count) { return part->arrived(count); });
            parse(xml);
        } else {
            refuseIfDamaged();
            std::string text(part->bytes());
            const std::optional<std::string> encodingError = convertXmlToUtf8(text);
            XmlReader xml(text);
            if (encodingError)
                xml.raiseError(*encodingError);
            parse(xml);
        }
    } catch (const Refusal&) {
        refuseIfDamaged();
        throw;
    }
    refuseIfDamaged();
    return true;
}

using Event = XmlReader::Event;

// Appends the text of the element just started up to its end; an element inside it is an error.
void appendElementText(XmlReader& xml, std::string& out)
{
    while (true) {
        switch (xml.next()) {
        case Event::Text:
            out += xml.value();
            break;
        case Event::Start:
            xml.raiseError("应当是文字，却是元素<" + std::string(xml.name()) + ">");
            return;
        default:
            return;
        }
    }
}

// The target of the workbook's first sheet, "xl/worksheets/sheet1.xml" as a rule.
std::string firstSheetPart(zip_t* archive)
{
    std::string relation;
    bool found = false;
    const bool haveWorkbook = parsePart(archive, "xl/workbook.xml", [&](XmlReader& xml) {
        for (Event event = xml.next(); !found && event != Event::Done && event != Event::Error; event = xml.next())
            if (event == Event::Start && xml.localName() == "sheet") {
                found = true;
                relation = xml.attributeByLocalName("id");
            }
    });
    if (!haveWorkbook)
        refuse(0, "不是表格文件（ZIP 文件，但不是 XLSX 工作簿）");
    if (!found)
        refuse(0, "工作簿中没有工作表");
    std::optional<std::string> target;
    parsePart(archive, "xl/_rels/workbook.xml.rels", [&](XmlReader& rels) {
        for (Event event = relation.empty() ? Event::Done : rels.next();
             !target && event != Event::Done && event != Event::Error; event = rels.next())
            if (event == Event::Start && rels.localName() == "Relationship" && rels.attribute("Id") == relation)
                target = rels.attribute("Target");
    });
    if (!target)
        return "xl/worksheets/sheet1.xml";
    if (target->starts_with('/'))
        return target->substr(1);
    return "xl/" + *target;
}

// The text of a <si> or <is> (`end` names which): its <t> elements and those of its runs,
// without phonetic hints.
std::string stringItem(XmlReader& xml, std::string_view end)
{
    std::string value;
    int phonetic = 0;
    for (Event event = xml.next(); event != Event::Done && event != Event::Error; event = xml.next()) {
        if (event == Event::Start) {
            if (xml.localName() == "rPh")
                ++phonetic;
            else if (xml.localName() == "t" && phonetic == 0)
                appendElementText(xml, value);
        } else if (event == Event::End) {
            if (xml.localName() == "rPh")
                --phonetic;
            else if (xml.localName() == end)
                break;
        }
    }
    return value;
}

std::vector<std::string> sharedStrings(zip_t* archive)
{
    std::vector<std::string> strings;
    parsePart(archive, "xl/sharedStrings.xml", [&](XmlReader& xml) {
        for (Event event = xml.next(); event != Event::Done; event = xml.next()) {
            if (event == Event::Error)
                refuse(0, "工作簿的共享字符串已损坏");
            if (event == Event::Start && xml.localName() == "si")
                strings.push_back(stringItem(xml, "si"));
        }
    });
    return strings;
}

// A number as a person would type it: whole numbers as digits, others in their shortest form.
std::string numberText(std::string stored)
{
    // Plain digits without a leading zero are already that form (and the usual case).
    if (!stored.empty() && stored.size() <= 15 && (stored[0] != '0' || stored.size() == 1)
        && stored.find_first_not_of("0123456789") == std::string::npos)
        return stored;
    char* end = nullptr;
    const double value = std::strtod(stored.c_str(), &end);
    if (end == stored.c_str() || *end != '\0' || !std::isfinite(value))
        return stored;
    char buffer[64];
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
    else
        std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

// "C12" -> column 2 (from 0); nothing without letters.
std::optional<std::size_t> columnOf(std::string_view reference)
{
    std::size_t column = 0;
    std::size_t letters = 0;
    for (const char c : reference) {
        if (c < 'A' || c > 'Z')
            break;
        column = column * 26 + static_cast<std::size_t>(c - 'A' + 1);
        if (++letters > 3)
            return std::nullopt;
    }
    if (letters == 0)
        return std::nullopt;
    return column - 1;
}

std::string cellName(std::size_t row, std::size_t column)
{
    std::string letters;
    for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters + std::to_string(row);
}

constexpr std::size_t columnLimit = 16384; // XFD, the last column a workbook may have

// The cell types that change how a value reads.
enum class CellType
{
    Number, // "n" or none
    Shared, // "s"
    Error, // "e"
    Boolean, // "b"
    Text, // anything else ("str", "inlineStr")
};

CellType cellType(std::string_view type)
{
    if (type.empty() || type == "n")
        return CellType::Number;
    if (type == "s")
        return CellType::Shared;
    if (type == "e")
        return CellType::Error;
    if (type == "b")
        return CellType::Boolean;
    return CellType::Text;
}

// A row number as written; 0 when it is not one.
std::size_t rowNumber(std::string_view digits)
{
    std::size_t number = 0;
    const auto [end, failure] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return failure == std::errc() && end == digits.data() + digits.size() ? number : 0;
}

[[noreturn]] void refuseXml(const XmlReader& xml, std::size_t row)
{
    refuse(row, "工作表已损坏（XML 错误: " + xml.error() + "）");
}

Rows sheetRows(XmlReader& xml, const std::vector<std::string>& strings)
{
    Rows rows;
    std::size_t row = 0; // from 1, the row being read
    std::size_t nextColumn = 0;
    std::size_t width = 0; // cells of the last row read, the likely width of the next
    for (Event event = xml.next(); event != Event::Done; event = xml.next()) {
        if (event == Event::Error)
            refuseXml(xml, row);
        if (event != Event::Start)
            continue;
        const std::string_view name = xml.localName();
        if (name == "row") {
            const std::string_view number = xml.attribute("r");
            row = number.empty() ? row + 1 : rowNumber(number);
            if (row == 0 || row < rows.size())
                refuse(rows.size(), "工作表的行号顺序不对（文件损坏）");
            if (row > sheetRowLimit)
                refuse(row, "表格超过 " + std::to_string(sheetRowLimit) + " 行，不能读入");
            if (!rows.empty())
                width = std::max(width, rows.back().size());
            rows.resize(row);
            rows.back().reserve(width);
            nextColumn = 0;
        } else if (name == "c" && row > 0) {
            const std::string_view reference = xml.attribute("r");
            const std::size_t column = reference.empty() ? nextColumn : columnOf(reference).value_or(columnLimit);
            if (column >= columnLimit)
                refuse(row, "单元格位置 " + std::string(reference) + " 不对（文件损坏）");
            const CellType type = cellType(xml.attribute("t"));
            nextColumn = column + 1;
            std::string value;
            bool haveValue = false;
            for (Event inner = xml.next(); inner != Event::Error && !(inner == Event::End && xml.localName() == "c");
                 inner = xml.next()) {
                if (inner != Event::Start)
                    continue;
                if (xml.localName() == "f")
                    refuse(row, "单元格 " + cellName(row, column) + " 是公式，请把公式换成它的值");
                if (xml.localName() == "v") {
                    value.clear();
                    appendElementText(xml, value);
                    haveValue = true;
                } else if (xml.localName() == "is") {
                    value = stringItem(xml, "is");
                }
            }
            if (!xml.error().empty())
                refuseXml(xml, row);
            switch (type) {
            case CellType::Shared: {
                const unsigned long index = std::strtoul(value.c_str(), nullptr, 10);
                if (!haveValue || index >= strings.size())
                    refuse(row, "单元格 " + cellName(row, column) + " 指向不存在的字符串（文件损坏）");
                value = strings[index];
                break;
            }
            case CellType::Error:
                refuse(row, "单元格 " + cellName(row, column) + " 的值是错误 " + value);
            case CellType::Number:
                value = numberText(std::move(value));
                break;
            case CellType::Boolean:
                value = value == "1" ? "TRUE" : "FALSE";
                break;
            case CellType::Text:
                break;
            }
            std::vector<std::string>& cells = rows[row - 1];
            if (cells.size() <= column)
                cells.resize(column + 1);
            cells[column] = std::move(value);
        }
    }
    return rows;
}

// The workbook is read from the file's bytes, already in memory, not from the file a second time.
Rows readXlsx(const std::string& bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_error_fini(&error);
    if (!source)
        refuse(0, "不是表格文件（损坏的 ZIP/XLSX 文件）");
    zip_error_init(&error);
    Zip archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        refuse(0, "不是表格文件（损坏的 ZIP/XLSX 文件）");
    }
    const std::string sheetPart = firstSheetPart(archive.get());
    const std::vector<std::string> strings = sharedStrings(archive.get());
    Rows rows;
    if (!parsePart(archive.get(), sheetPart.c_str(), [&](XmlReader& xml) { rows = sheetRows(xml, strings); }))
        refuse(0, "工作簿中没有工作表");
    return rows;
}

// ---- CSV ----

// The separator the first line uses most, outside quotes; a comma when it uses none.
char separatorOf(std::string_view text)
{
    std::size_t counts[3] = {};
    const char separators[3] = { ',', ';', '\t' };
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted)
            for (int k = 0; k < 3; ++k)
                counts[k] += c == separators[k];
    }
    int best = 0;
    for (int k = 1; k < 3; ++k)
        if (counts[k] > counts[best])
            best = k;
    return separators[best];
}

Rows csvRows(std::string_view text)
{
    const char separator = separatorOf(text);
    Rows rows(1);
    std::string cell;
    bool quoted = false;
    bool wasQuoted = false;
    std::size_t quoteRow = 0; // where the open quote began
    const auto endCell = [&] {
        rows.back().push_back(std::move(cell));
        cell.clear();
        wasQuoted = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                // a line break inside quotes reads as LF, however it was stored
            } else {
                cell += c;
            }
        } else if (c == '"' && cell.empty() && !wasQuoted) {
            quoted = wasQuoted = true;
            quoteRow = rows.size();
        } else if (c == separator) {
            endCell();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            endCell();
            if (rows.size() >= sheetRowLimit)
                refuse(rows.size() + 1, "表格超过 " + std::to_string(sheetRowLimit) + " 行，不能读入");
            rows.emplace_back();
        } else {
            cell += c;
        }
    }
    if (quoted)
        refuse(quoteRow, "引号没有结束");
    if (!cell.empty() || wasQuoted || !rows.back().empty())
        endCell();
    // A line with nothing on it is an empty row, not a row with one empty cell.
    for (std::vector<std::string>& cells : rows)
        if (cells.size() == 1 && cells[0].empty())
            cells.clear();
    return rows;
}

Rows readCsv(std::string bytes)
{
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        refuse(0, "是 UTF-16 文本，请另存为 UTF-8 或 GBK 的 CSV");
    if (bytes.find('\0') != std::string::npos)
        refuse(0, "不是表格文件（含有二进制数据）");
    std::string_view view(bytes);
    if (view.starts_with("\xEF\xBB\xBF"))
        view.remove_prefix(3);
    if (firstBadUtf8(view) == std::string_view::npos)
        return csvRows(view);
    return csvRows(gbkToUtf8(view));
}

Rows readRows(const std::string& path)
{
    std::error_code failure;
    const std::uintmax_t size = std::filesystem::file_size(path, failure);
    if (failure || !std::filesystem::is_regular_file(path))
        refuse(0, "不能打开文件");
    if (size > sheetFileLimit)
        refuse(0, "文件大于 " + std::to_string(sheetFileLimit / (1024 * 1024)) + " MB，不能读入");
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size)))
        refuse(0, "不能读出文件");
    if (bytes.starts_with("PK\x03\x04"))
        return readXlsx(bytes);
    if (bytes.starts_with("\xD0\xCF\x11\xE0"))
        refuse(0, "是旧式的 .xls 工作簿或设了密码的工作簿，请另存为不加密的 .xlsx 或 .csv");
    const std::string extension = std::filesystem::path(path).extension().string();
    if (extension == ".xlsx" || extension == ".XLSX")
        refuse(0, "不是 XLSX 工作簿");
    return readCsv(std::move(bytes));
}

template <typename Read>
SheetReadResult readTaken(Read read)
{
    SheetReadResult result;
    try {
        result.rows = read();
        trimTrailingEmptyRows(result.rows);
        if (result.rows.empty())
            refuse(0, "表格是空的");
    } catch (const Refusal& refusal) {
        result.rows.clear();
        result.error = refusal.error;
    }
    return result;
}

} // namespace

SheetReadResult readSheet(const std::string& path)
{
    return readTaken([&] { return readRows(path); });
}

SheetReadResult readSheetText(std::string bytes)
{
    return readTaken([&] { return readCsv(std::move(bytes)); });
}

std::string sheetErrorText(const std::string& path, const SheetError& error)
{
    std::string text = "文件 " + path;
    if (error.row > 0)
        text += " 第 " + std::to_string(error.row) + " 行";
    return text + ": " + error.reason;
}

} // namespace olv
