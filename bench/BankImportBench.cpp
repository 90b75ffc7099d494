// Importing 200,000 questions from Moodle XML and GIFT against reading the same bytes from disk.
#include "admin/bank/import/BankImport.h"
#include "admin/bank/import/ImportReaders.h"
#include "admin/bank/import/MoodleXmlExport.h"
#include "platform/File.h"
#include "support/TestFiles.h"

#include <benchmark/benchmark.h>

namespace olv {
namespace {

constexpr int benchQuestionCount = 200000;

QuestionBank largeBank()
{
    QuestionBank bank;
    for (int number = 1; number <= benchQuestionCount; ++number) {
        const auto kind = allQuestionKinds[static_cast<std::size_t>(number % 3)];
        Question question { kind, "question " + std::to_string(number) + "/nsecond line", {},
            kind == QuestionKind::MultipleChoice ? "AC" : "A" };
        if (kind != QuestionKind::TrueFalse)
            question.options = { "first option", "second option", "third option", "fourth option" };
        bank.questionsOf(kind).push_back(std::move(question));
    }
    return bank;
}

std::string giftOf(const QuestionBank& bank)
{
    std::string text;
    for (QuestionKind kind : allQuestionKinds)
        for (const Question& question : bank.questionsOf(kind)) {
            text += "::q::" + question.stem.substr(0, question.stem.find('/')) + " {";
            if (kind == QuestionKind::TrueFalse)
                text += question.answer == "A" ? "TRUE" : "FALSE";
            for (std::size_t i = 0; i < 4 && kind != QuestionKind::TrueFalse; ++i) {
                const bool right = question.answer.find(static_cast<char>('A' + i)) != std::string::npos;
                text += kind == QuestionKind::MultipleChoice ? (right ? " ~%50%" : " ~%-100%") : (right ? " =" : " ~");
                text += question.options[i];
            }
            text += "}\n\n";
        }
    return text;
}

const std::filesystem::path& benchFile(const char* name)
{
    static test::TempDir dir;
    static const QuestionBank bank = largeBank();
    const auto path = dir.path() / name;
    if (!std::filesystem::exists(path))
        test::writeBytes(path, std::string_view(name).ends_with(".xml") ? moodleXmlOfBank(bank) : giftOf(bank));
    static std::vector<std::filesystem::path> paths;
    paths.push_back(path);
    return paths.back();
}

void readBytes(benchmark::State& state, const char* name)
{
    const auto& path = benchFile(name);
    for (auto _ : state) {
        auto file = File::open(path, OpenMode::ReadOnly, Sharing::Shared);
        benchmark::DoNotOptimize(file->readAll());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(path)));
}

void import(benchmark::State& state, const char* name)
{
    const auto& path = benchFile(name);
    for (auto _ : state) {
        const ImportResult result = importQuestionFile(path);
        if (result.questions.questionCount() != benchQuestionCount)
            state.SkipWithError("not every question was imported");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(path)));
}

// The least an import must do beside reading: make the bank it returns (200,000 questions, each
// stem on the heap) and free it again. Copying a bank held in memory does exactly that.
void makeBank(benchmark::State& state)
{
    static const QuestionBank bank = largeBank();
    for (auto _ : state) {
        QuestionBank copy = bank;
        benchmark::DoNotOptimize(copy);
    }
}

// The readers alone, over the text in memory: every question is handed to a sink that drops it.
class DroppingSink final : public ImportSink
{
public:
    void take(const ImportedQuestion&) override { ++count; }
    int count = 0;
};

void readerAlone(benchmark::State& state, const char* name)
{
    const auto& path = benchFile(name);
    const std::string text = *File::open(path, OpenMode::ReadOnly, Sharing::Shared)->readAll();
    const bool xml = std::string_view(name).ends_with(".xml");
    for (auto _ : state) {
        DroppingSink sink;
        const auto failure = xml ? readMoodleXml(text, sink) : readGift(text, sink);
        if (failure || sink.count != benchQuestionCount)
            state.SkipWithError("not every question was read");
    }
}

BENCHMARK(makeBank)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readerAlone, MoodleXml, "bank.xml")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readerAlone, Gift, "bank.gift")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readBytes, MoodleXml, "bank.xml")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import, MoodleXml, "bank.xml")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readBytes, Gift, "bank.gift")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import, Gift, "bank.gift")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace olv
