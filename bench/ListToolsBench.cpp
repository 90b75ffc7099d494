// The examiner's list tools on 100,000 records, through their rules and the list model the window
// shows, without widgets: the score list ("考生成绩") sorted and refreshed, a line hidden in the
// answer analysis, and the roster editor's save. Each first in a fresh process, then warm.
#include "admin/answers/AnswerAnalysis.h"
#include "admin/answers/AnswerAnalysisViewer.h"
#include "admin/scores/ScoreDatabaseSave.h"
#include "admin/scores/ScoreViewer.h"
#include "bench/FreshProcess.h"
#include "common/Prompter.h"
#include "common/ScoreDatabase.h"
#include "common/TextFields.h"
#include "ui/LineListModel.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <unistd.h>

namespace olv {
namespace {

constexpr std::size_t recordCount = 100000;
constexpr std::size_t questionCount = 100;

std::vector<ScoreRecord> scoreRecords()
{
    std::mt19937 random(7);
    std::vector<ScoreRecord> records;
    for (std::size_t i = 0; i < recordCount; ++i)
        records.push_back({ "class" + std::to_string(random() % 40), "name" + std::to_string(i),
            std::to_string(20240000 + i), std::to_string(random() % 101) });
    return records;
}

class ListFiles
{
public:
    ListFiles()
        : m_folder(std::filesystem::temp_directory_path() / ("olv-list-bench-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(m_folder);
        if (writeScoreDatabase(scores(), scoreRecords()) != FileResult::Done)
            throw std::runtime_error("cannot write the benchmark score database");
        std::mt19937 random(3);
        std::ofstream sheet(answers(), std::ios::binary);
        for (std::size_t i = 0; i < recordCount; ++i) {
            std::string line = padRight(std::to_string(random() % 101), 3) + padRight(std::to_string(i), 14);
            for (std::size_t k = 0; k < questionCount; ++k)
                line += "*RE"[random() % 3];
            sheet << line << "\r\r\n";
        }
    }
    ~ListFiles() { std::filesystem::remove_all(m_folder); }
    std::filesystem::path scores() const { return m_folder / "kscj.kcj"; }
    std::filesystem::path answers() const { return m_folder / "daan.txt"; }
    std::filesystem::path roster() const { return m_folder / "roster.kcj"; }

private:
    std::filesystem::path m_folder;
};

const ListFiles& listFiles()
{
    static const ListFiles files;
    return files;
}

struct NoPrompts : Prompter
{
    void message(std::string_view text, std::string_view) override
    {
        throw std::runtime_error("unexpected message: " + std::string(text));
    }
    bool confirm(std::string_view, std::string_view) override { return false; }
    std::string password() override { return {}; }
};

// The list window's share: the lines go into the model, with the selection.
struct ModelView : LineListView
{
    void showLines(const std::vector<std::string>& lines, std::optional<std::size_t>) override
    {
        std::vector<RenderedLine> rendered;
        rendered.reserve(lines.size());
        for (const std::string& line : lines)
            rendered.push_back({ line });
        model.setLines(std::move(rendered));
    }
    void closeView() override { }
    LineListModel model;
};

struct ScoreList
{
    ScoreList()
        : viewer(listFiles().scores(), prompts, view)
    {
        viewer.load();
    }
    NoPrompts prompts;
    ModelView view;
    ScoreViewer viewer;
};

struct Analysis
{
    Analysis()
        : viewer(listFiles().answers(), prompts, view)
    {
        viewer.load();
    }
    NoPrompts prompts;
    ModelView view;
    AnswerAnalysisViewer viewer;
};

template <class Tool>
void measure(benchmark::State& state, const std::function<void(Tool&)>& action)
{
    listFiles();
    if (state.range(0) != 0) {
        std::unique_ptr<Tool> tool;
        measureFresh(
            state, [&] { tool = std::make_unique<Tool>(); }, [&] { action(*tool); });
        return;
    }
    Tool tool;
    measureWarm(state, [&] { action(tool); });
}

void BM_ScoreListOpen(benchmark::State& state)
{
    measure<int>(state, [](int&) { ScoreList list; });
}

void BM_ScoreListSortByScore(benchmark::State& state)
{
    measure<ScoreList>(state, [](ScoreList& list) { list.viewer.sortBy(ScoreSortOrder::Score); });
}

void BM_ScoreListRefresh(benchmark::State& state)
{
    measure<ScoreList>(state, [](ScoreList& list) { list.viewer.refresh(); });
}

void BM_AnswerAnalysisHide(benchmark::State& state)
{
    measure<Analysis>(state, [](Analysis& analysis) {
        analysis.viewer.rememberSelection(firstCandidateRow + 5);
        analysis.viewer.hideSelected();
    });
}

// "存盘" of the roster editor: every record written again, machine changes carried over.
void BM_RosterSave(benchmark::State& state)
{
    struct Roster
    {
        Roster()
        {
            std::filesystem::copy_file(
                listFiles().scores(), listFiles().roster(), std::filesystem::copy_options::overwrite_existing);
            loaded = readScoreLines(listFiles().roster(), OpenMode::ReadOnly).lines;
            const std::vector<ScoreRecord> plain = scoreRecords();
            for (std::size_t i = 0; i < plain.size(); ++i)
                records.push_back({ paddedRecord(plain[i]), i });
        }
        std::vector<std::string> loaded;
        std::vector<EditedRecord> records;
    };
    measure<Roster>(state, [](Roster& roster) {
        if (!saveScoreDatabase(listFiles().roster(), roster.loaded, roster.records).saved)
            throw std::runtime_error("the roster save failed");
    });
}

#define LIST_BENCHMARK(name)                                                                                           \
    BENCHMARK(name)->ArgName("fresh")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3)
LIST_BENCHMARK(BM_ScoreListOpen);
LIST_BENCHMARK(BM_ScoreListSortByScore);
LIST_BENCHMARK(BM_ScoreListRefresh);
LIST_BENCHMARK(BM_AnswerAnalysisHide);
LIST_BENCHMARK(BM_RosterSave);

} // namespace
} // namespace olv
