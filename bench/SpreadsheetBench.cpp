// Roster import from a 100,000-row XLSX and score export of 100,000 records, each against
// reading the same bytes from disk.
#include "admin/scores/RosterImport.h"
#include "admin/scores/ScoreExport.h"
#include "admin/sheets/SheetReader.h"
#include "platform/Gbk.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <unistd.h>

namespace {

constexpr std::size_t rowCount = 100000;

std::vector<olv::ScoreRecord> records()
{
    std::vector<olv::ScoreRecord> result;
    for (std::size_t i = 0; i < rowCount; ++i)
        result.push_back({ olv::utf8ToGbk("高三" + std::to_string(i % 20) + "班"), olv::utf8ToGbk("考生姓名"),
            std::to_string(20240000 + i), i % 3 ? std::to_string(i % 101) : std::string(8, ' ') });
    return result;
}

std::vector<std::size_t> fileOrder()
{
    std::vector<std::size_t> order(rowCount);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

std::filesystem::path benchFile(const char* name)
{
    return std::filesystem::temp_directory_path() / ("olv-bench-" + std::to_string(::getpid()) + name);
}

const std::filesystem::path& sheetFile()
{
    static const std::filesystem::path file = [] {
        const std::filesystem::path path = benchFile(".xlsx");
        olv::writeScoreSheet(path, records(), fileOrder());
        return path;
    }();
    return file;
}

std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void importXlsx(benchmark::State& state)
{
    for (auto _ : state) {
        const olv::SheetReadResult sheet = olv::readSheet(sheetFile().string());
        benchmark::DoNotOptimize(olv::planRosterImport(sheet.rows, {}));
    }
}

void readXlsxBytes(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(readBytes(sheetFile()));
}

void exportXlsx(benchmark::State& state)
{
    const auto all = records();
    const auto order = fileOrder();
    const std::filesystem::path out = benchFile("-out.xlsx");
    for (auto _ : state)
        benchmark::DoNotOptimize(olv::writeScoreSheet(out, all, order));
    std::filesystem::remove(out);
}

void writeXlsxBytes(benchmark::State& state)
{
    const std::string bytes = readBytes(sheetFile());
    const std::filesystem::path out = benchFile("-copy.xlsx");
    for (auto _ : state) {
        std::ofstream(out, std::ios::binary) << bytes;
    }
    std::filesystem::remove(out);
}

} // namespace

BENCHMARK(importXlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(readXlsxBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(exportXlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(writeXlsxBytes)->Unit(benchmark::kMillisecond);
