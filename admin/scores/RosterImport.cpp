#include "admin/scores/RosterImport.h"

#include "common/TextFields.h"
#include "platform/Gbk.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace olv {

namespace {

enum Column
{
    ClassColumn,
    NameColumn,
    ExamNumberColumn
};

struct ColumnKind
{
    const char* caption;
    std::size_t width;
};

constexpr std::array<ColumnKind, 3> columnKinds
    = { { { "班级", schoolClassWidth }, { "姓名", nameWidth }, { "考号", examNumberWidth } } };

std::string trimmedLower(const std::string& text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && (text[first] == ' ' || text[first] == '\t'))
        ++first;
    while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t'))
        --last;
    std::string trimmed = text.substr(first, last - first);
    for (char& c : trimmed)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return trimmed;
}

// (The character tests below are loops of their own: find_first_of searches its set once for
// every character of the text, and a roster has a few hundred thousand fields.)
bool isBlank(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

bool hasAnyOf(std::string_view text, std::string_view characters)
{
    for (const char c : text)
        for (const char wanted : characters)
            if (c == wanted)
                return true;
    return false;
}

std::optional<Column> headingColumn(const std::string& cell)
{
    const std::string text = trimmedLower(cell);
    if (text == "班级" || text == "class")
        return ClassColumn;
    if (text == "姓名" || text == "name")
        return NameColumn;
    if (text == "考号" || text == "exam number" || text == "number")
        return ExamNumberColumn;
    return std::nullopt;
}

// The columns of class, name and exam number, and whether the first row names them.
struct Layout
{
    std::array<std::optional<std::size_t>, 3> columns { 0, 1, 2 };
    bool headingRow = false;
};

Layout layoutOf(const std::vector<std::vector<std::string>>& rows)
{
    Layout layout;
    if (rows.empty())
        return layout;
    std::array<std::optional<std::size_t>, 3> found;
    for (std::size_t i = 0; i < rows[0].size(); ++i)
        if (const std::optional<Column> column = headingColumn(rows[0][i]); column && !found[*column])
            found[*column] = i;
    if (found[0] || found[1] || found[2]) {
        layout.columns = found;
        layout.headingRow = true;
    }
    return layout;
}

// An exam number that a spreadsheet turned into a number ("2.0240101E7", "20240101.0") as digits.
std::string wholeDigits(const std::string& text)
{
    if (!hasAnyOf(text, ".eE"))
        return text;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !(value >= 0) || value >= 1e15 || value != std::floor(value))
        return text;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
    return buffer;
}

// The first character of `utf8` that GBK cannot hold (the conversion wrote '?' for it).
std::optional<std::string> unrepresentable(const std::string& utf8)
{
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string character = utf8.substr(i, length);
        if (character != "?" && utf8ToGbk(character) == "?")
            return character;
        i += length;
    }
    return std::nullopt;
}

// The field in GBK without spaces, or why it cannot be one. Each text is passed once for all
// its tests (a roster has a few hundred thousand fields); the reasons keep their order. A GBK
// character's second byte is never a space, '?', '*', '.' or '-', so bytes can be tested alone.
std::optional<std::string> field(const std::string& utf8, const ColumnKind& kind, std::string& reason)
{
    bool lineBreak = false;
    std::size_t utf8QuestionMarks = 0;
    for (const char c : utf8) {
        lineBreak = lineBreak || c == '\r' || c == '\n';
        utf8QuestionMarks += c == '?';
    }
    if (lineBreak) {
        reason = std::string(kind.caption) + "中有换行";
        return std::nullopt;
    }
    std::string gbk = utf8ToGbk(utf8);
    std::size_t kept = 0;
    std::size_t gbkQuestionMarks = 0;
    bool forbidden = false;
    for (const char c : gbk) {
        if (c == ' ')
            continue;
        gbkQuestionMarks += c == '?';
        forbidden = forbidden || c == '*' || c == '.' || c == '-';
        gbk[kept++] = c;
    }
    gbk.resize(kept);
    const std::optional<std::string> character
        = gbkQuestionMarks != utf8QuestionMarks ? unrepresentable(utf8) : std::nullopt;
    if (character) {
        reason = std::string(kind.caption) + "中的字符“" + *character + "”不能用 GBK 保存";
        return std::nullopt;
    }
    if (forbidden) {
        reason = std::string(kind.caption) + "中不能含有字符 * . -";
        return std::nullopt;
    }
    if (gbk.size() > kind.width) {
        reason = std::string(kind.caption) + "太长（" + std::to_string(gbk.size()) + " 字节，最多 "
            + std::to_string(kind.width) + " 字节）";
        return std::nullopt;
    }
    return gbk;
}

// The exam numbers taken so far, each with the row that took it (0 for the roster): one open
// table of places, where a node-based map would chase a pointer to a fresh node per number.
class TakenExamNumbers
{
public:
    explicit TakenExamNumbers(std::size_t most)
    {
        std::size_t size = 16;
        while (size < most * 2)
            size *= 2;
        m_places.assign(size, 0);
        m_numbers.reserve(most);
    }

    // The row that took `number` before, or nothing (and `number` is now `row`'s).
    std::optional<std::size_t> take(const std::string& number, std::size_t row)
    {
        const std::size_t mask = m_places.size() - 1;
        const std::size_t hash = placeHash(number);
        // The hash's low half beside each place: most other numbers are passed without a look.
        const std::uint64_t tag = static_cast<std::uint64_t>(hash) << 32;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            const std::uint64_t place = m_places[at];
            if (place == 0) {
                m_numbers.push_back({ number, row });
                m_places[at] = tag | m_numbers.size();
                return std::nullopt;
            }
            if ((place & ~0xFFFFFFFFull) == tag && m_numbers[(place & 0xFFFFFFFFu) - 1].first == number)
                return m_numbers[(place & 0xFFFFFFFFu) - 1].second;
        }
    }

private:
    // Numbers that differ only in their last character get neighbouring places: a class list
    // counts up, so the table is walked along rather than hit at random, which a table of
    // 200,000 numbers (larger than the cache) pays for at every number.
    static std::size_t placeHash(std::string_view number)
    {
        if (number.empty())
            return 0;
        const std::size_t prefix = std::hash<std::string_view> {}(number.substr(0, number.size() - 1));
        return prefix * 16 + (static_cast<unsigned char>(number.back()) & 15u);
    }

    // 0 when free, else the hash's low half in the upper bits and the place in m_numbers + 1 below.
    std::vector<std::uint64_t> m_places;
    std::vector<std::pair<std::string, std::size_t>> m_numbers;
};

} // namespace

RosterImport planRosterImport(
    const std::vector<std::vector<std::string>>& rows, const std::vector<std::string>& rosterExamNumbers)
{
    RosterImport import;
    import.added.reserve(rows.size());
    TakenExamNumbers taken(rosterExamNumbers.size() + rows.size());
    for (const std::string& examNumber : rosterExamNumbers)
        taken.take(removeSpaces(examNumber), 0);
    const Layout layout = layoutOf(rows);
    static const std::string empty;
    for (std::size_t i = layout.headingRow ? 1 : 0; i < rows.size(); ++i) {
        const std::vector<std::string>& cells = rows[i];
        const std::size_t row = i + 1;
        if (std::all_of(cells.begin(), cells.end(), [](const std::string& cell) { return isBlank(cell); }))
            continue;
        std::array<std::string, 3> fields;
        std::string reason;
        for (std::size_t k = 0; k < fields.size() && reason.empty(); ++k) {
            const std::optional<std::size_t> column = layout.columns[k];
            const std::string& cell = column && *column < cells.size() ? cells[*column] : empty;
            std::optional<std::string> value = k == ExamNumberColumn
                ? field(wholeDigits(trimmedLower(cell)), columnKinds[k], reason)
                : field(cell, columnKinds[k], reason);
            if (value)
                fields[k] = std::move(*value);
        }
        if (reason.empty() && fields[ExamNumberColumn].empty())
            reason = "没有考号";
        if (reason.empty()) {
            if (const std::optional<std::size_t> earlier = taken.take(fields[ExamNumberColumn], row))
                reason = "考号 " + gbkToUtf8(fields[ExamNumberColumn])
                    + (*earlier == 0 ? std::string(" 已在成绩库中") : " 与第 " + std::to_string(*earlier) + " 行重复");
        }
        if (!reason.empty()) {
            import.refused.push_back({ row, std::move(reason) });
            continue;
        }
        import.added.push_back({ std::move(fields[ClassColumn]), std::move(fields[NameColumn]),
            std::move(fields[ExamNumberColumn]), blankScoreField() });
    }
    return import;
}

std::string rosterImportPreview(const RosterImport& import, std::size_t listedRefusals)
{
    std::string text = "将添加 " + std::to_string(import.added.size()) + " 名考生到成绩库末尾。";
    if (!import.refused.empty()) {
        text += "\n\n以下 " + std::to_string(import.refused.size()) + " 行不能导入:";
        for (std::size_t i = 0; i < import.refused.size() && i < listedRefusals; ++i)
            text += "\n第 " + std::to_string(import.refused[i].row) + " 行: " + import.refused[i].reason;
        if (import.refused.size() > listedRefusals)
            text += "\n……另有 " + std::to_string(import.refused.size() - listedRefusals) + " 行";
    }
    return text;
}

} // namespace olv
