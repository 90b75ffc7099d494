#pragma once

#include "common/Question.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace olv {

// A question another system's file holds, as one of this system's kinds: texts UTF-8, the stem's
// lines separated by LF, the answer as option letters. `position` names it in a refusal ("第3行",
// "第2行" of a sheet, a question name); `refusal` is set when it cannot become a question here.
struct ImportedQuestion
{
    std::string position;
    Question question;
    std::string refusal;
};

// What a reader makes of a whole file: its questions in file order, or the reason (with its
// position) why the file cannot be read at all.
struct ImportedFile
{
    std::vector<ImportedQuestion> questions;
    std::optional<std::string> failure;
};

struct ImportRefusal
{
    std::string position; // UTF-8
    std::string reason; // UTF-8, the bank editor's message where it refused
};

// The questions that passed the bank editor's tests, in the bank's stored form (GBK), and every
// refusal in file order; `failure` when the input could not be read, with nothing taken.
struct ImportResult
{
    QuestionBank questions;
    std::vector<ImportRefusal> refusals;
    std::optional<std::string> failure;
};

enum class ImportFormat
{
    Aiken,
    Gift,
    MoodleXml,
    Sheet,
};

// Bigger inputs are refused before they are read, so memory stays bounded.
inline constexpr std::size_t maxImportBytes = std::size_t { 256 } << 20;

// The format by content first (an XML declaration or <quiz>, GIFT's braces, Aiken's "ANSWER:"),
// then by the file name's extension.
ImportFormat recognizeImportFormat(std::string_view text, std::string_view fileName);

// The bytes as UTF-8: UTF-8 (a byte order mark skipped) or else GBK; nothing but the failure
// with its line when they are neither.
struct DecodedText
{
    std::string text;
    std::optional<std::string> failure;
};
DecodedText decodeImportText(std::string_view bytes);

// Each question through the bank editor's tests for "追加到尾部"; the passing ones in stored form.
ImportResult validateImported(ImportedFile file);

// Reads, recognises and validates a text file (Aiken, GIFT, Moodle XML, CSV in the sheet layout,
// the CSV through the spreadsheet reader). An XLSX is refused here: it is read from its file.
ImportResult importQuestions(std::string_view bytes, std::string_view fileName);
// The same from a file, an XLSX or CSV sheet through the spreadsheet reader; a failure when it
// cannot be opened or is too big.
ImportResult importQuestionFile(const std::filesystem::path& path);

// "单选题 3 道, 多选题 1 道, 判断题 2 道" and the number of refusals, for the preview.
std::string importSummary(const ImportResult& result);

// Trims blanks (space, tab, CR) at both ends.
std::string_view trimBlanks(std::string_view text);

} // namespace olv
