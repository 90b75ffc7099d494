// The examiner's bank outputs, byte for byte as its dialogs write them.
#include "admin/bank/BankExport.h"
#include "admin/bank/BankMerge.h"
#include "admin/bank/BankReading.h"
#include "admin/bank/OutputFile.h"
#include "admin/bank/SamplePaper.h"
#include "admin/bank/ui/PaperPdf.h"
#include "common/ExamSettingsFile.h"
#include "common/QuestionBankFile.h"
#include "platform/PathMapping.h"
#include "tools/OlvTool.h"

#include <QGuiApplication>

namespace olv::tool {

namespace {

void writeLines(const std::vector<std::string>& lines, const std::string& path)
{
    if (!writeTextLines(path, lines))
        throw ToolError("cannot write " + path);
}

QuestionBank readNormalizedBank(const std::string& path)
{
    auto bank = readBank(path);
    normalizeAnswers(bank);
    return bank;
}

// Question numbers 1..count, each at most once.
std::vector<bool> tickedNumbers(const std::vector<std::string>& numbers, std::size_t count)
{
    std::vector<bool> ticks(count, false);
    for (const auto& text : numbers) {
        const long long number = parseWholeNumber(text, "N");
        if (number < 1 || static_cast<unsigned long long>(number) > count)
            throw ToolError("no question " + text + " in the bank (1 to " + std::to_string(count) + ")");
        ticks[static_cast<std::size_t>(number - 1)] = true;
    }
    return ticks;
}

struct SamplePaperArgs
{
    ExamSettings settings;
    QuestionBank paper;
};

SamplePaperArgs samplePaper(const std::vector<std::string>& args, const char* usage)
{
    expectArguments(args, 3, usage);
    const auto now = parseWholeNumber(args[1], "SECONDS");
    SamplePaperArgs sample { readSettingsFile(args[0], adminDefaults()), {} };
    const auto bankPath = nativePath(sample.settings.bankFile, defaultLocalDriveRoot());
    sample.paper = drawSamplePaper(readBank(bankPath.string()), sample.settings, now);
    return sample;
}

} // namespace

void bankExport(const std::vector<std::string>& args, std::ostream&)
{
    expectArguments(args, 2, "bank-export BANK OUT");
    writeLines(bankExportLines(readNormalizedBank(args[0])), args[1]);
}

void bankSelect(const std::vector<std::string>& args, std::ostream&)
{
    if (args.size() < 3)
        throw ToolError("usage: olvtool bank-select BANK OUT N...");
    const auto bank = readNormalizedBank(args[0]);
    const auto ticks = tickedNumbers({ args.begin() + 2, args.end() }, bank.questionCount());
    writeBank(tickedQuestions(bank, ticks), args[1]);
}

namespace {

// "--pdf" first asks for the PDF form of an output; the arguments without it.
bool takePdfOption(std::vector<std::string>& args)
{
    if (args.empty() || args[0] != "--pdf")
        return false;
    args.erase(args.begin());
    return true;
}

// The PDF writer lays out text with Qt's fonts, which need a GUI application; no window opens.
void writePdf(bool (*write)(const ExamSettings&, const QuestionBank&, const std::filesystem::path&),
    const SamplePaperArgs& sample, const std::string& path)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "olvtool";
    char* argv[] = { name, nullptr };
    QGuiApplication application(argc, argv);
    if (!write(sample.settings, sample.paper, path))
        throw ToolError("cannot write " + path);
}

} // namespace

void writtenPaper(const std::vector<std::string>& arguments, std::ostream&)
{
    auto args = arguments;
    const bool pdf = takePdfOption(args);
    const auto sample = samplePaper(args, "written-paper [--pdf] SETTINGS SECONDS OUT");
    if (pdf)
        writePdf(writePaperPdf, sample, args[2]);
    else
        writeLines(writtenPaperLines(sample.settings, sample.paper), args[2]);
}

void answerKey(const std::vector<std::string>& arguments, std::ostream&)
{
    auto args = arguments;
    const bool pdf = takePdfOption(args);
    const auto sample = samplePaper(args, "answer-key [--pdf] SETTINGS SECONDS OUT");
    if (pdf)
        writePdf(writeAnswerKeyPdf, sample, args[2]);
    else
        writeLines(answerKeyLines(sample.settings, sample.paper), args[2]);
}

void bankMerge(const std::vector<std::string>& args, std::ostream&)
{
    expectArguments(args, 3, "bank-merge FIRST SECOND OUT");
    if (args[0] == args[1] || sameFile(args[0], args[1]))
        throw ToolError("FIRST and SECOND are the same file");
    auto first = readBank(args[0]);
    const auto second = readBank(args[1]);
    writeBank(mergeBanks(std::move(first), second), args[2]);
}

} // namespace olv::tool
