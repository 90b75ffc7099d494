#pragma once

#include "common/ExamSettings.h"
#include "common/QuestionList.h"

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace olv::tool {

// A failure that olvtool reports on stderr before it exits with status 1.
class ToolError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Each command takes the arguments after its name and writes UTF-8 with LF.
void bankText(const std::vector<std::string>& args, std::ostream& out);
void bankPack(const std::vector<std::string>& args, std::ostream& out);
void bankView(const std::vector<std::string>& args, std::ostream& out);
// Prints what the bank editor would refuse or ask about, one finding a line; fails when any.
void bankCheck(const std::vector<std::string>& args, std::ostream& out);
void paper(const std::vector<std::string>& args, std::ostream& out);
void scores(const std::vector<std::string>& args, std::ostream& out);
void rosterPack(const std::vector<std::string>& args, std::ostream& out);
void settingsDefaults(const std::vector<std::string>& args, std::ostream& out);
void mergeScores(const std::vector<std::string>& args, std::ostream& out);
void mergeAnswers(const std::vector<std::string>& args, std::ostream& out);
void bankExport(const std::vector<std::string>& args, std::ostream& out);
void bankSelect(const std::vector<std::string>& args, std::ostream& out);
void writtenPaper(const std::vector<std::string>& args, std::ostream& out);
void answerKey(const std::vector<std::string>& args, std::ostream& out);
void bankMerge(const std::vector<std::string>& args, std::ostream& out);
void scoreList(const std::vector<std::string>& args, std::ostream& out);
void answerList(const std::vector<std::string>& args, std::ostream& out);
void retake(const std::vector<std::string>& args, std::ostream& out);
void settingsSet(const std::vector<std::string>& args, std::ostream& out);
// Adds the candidates of a sheet to a roster; prints refused rows (row TAB reason) on stderr.
void rosterImport(const std::vector<std::string>& args, std::ostream& out);
void scoreExport(const std::vector<std::string>& args, std::ostream& out);
void itemStats(const std::vector<std::string>& args, std::ostream& out);
// Writes the questions of an Aiken, GIFT, Moodle XML or sheet file as a bank; refusals on stderr.
void bankImport(const std::vector<std::string>& args, std::ostream& out);
void bankExportMoodle(const std::vector<std::string>& args, std::ostream& out);

// Helpers shared by the commands.
void expectArguments(const std::vector<std::string>& args, std::size_t count, const char* usage);
// "cannot open PATH", with the reason when the path shows it (missing, not a regular file).
std::string openFailure(const std::string& path);
std::string readWholeFile(const std::string& path);
// A UTF-8 text file as GBK, every line ended by LF (CRs dropped, a byte order mark skipped).
// Refuses a character that GBK cannot hold, naming its line.
std::string readGbkText(const std::string& path);
// GBK bytes with CR LF line ends -> UTF-8 with LF.
std::string displayText(std::string_view gbk);
// One line per rendered line: the question number or "-", a tab, the text.
void printTaggedLines(const std::vector<RenderedLine>& lines, std::ostream& out);
// Reads a settings file over `defaults`; refuses one that cannot be read, is empty or names no
// question bank, saying so about the settings file.
ExamSettings readSettingsFile(const std::string& path, ExamSettings defaults);
// Reads a bank file through a temporary file in the system's temp folder.
QuestionBank readBank(const std::string& path);
// Writes a bank file as the programs do.
void writeBank(const QuestionBank& bank, const std::string& path);
// A whole decimal number (an optional sign and digits, nothing else); `name` names it in
// the refusal.
long long parseWholeNumber(const std::string& text, const char* name);

} // namespace olv::tool
