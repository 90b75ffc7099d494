// Roster import from a 100,000-row XLSX and score export of 100,000 records, each against the
// work no reader or writer of the file can avoid: moving the file's bytes, and unpacking (or
// packing) the workbook's entries. For the import also the rows alone, the import once in a fresh
// process, and Qt's XML reader over the same entries, the general reader ours stands beside.
// The import unpacks on a second thread while it reads, so it is timed by the wall clock.
#include "admin/scores/RosterImport.h"
#include "admin/scores/ScoreExport.h"
#include "admin/sheets/SheetReader.h"
#include "bench/FreshProcess.h"
#include "platform/Gbk.h"

#include <QIODevice>
#include <QXmlStreamReader>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <unistd.h>
#include <zip.h>

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

// The exported sheet, made once and removed when the benchmarks end.
struct SheetFile
{
    std::filesystem::path path = benchFile(".xlsx");
    SheetFile() { olv::writeScoreSheet(path, records(), fileOrder()); }
    ~SheetFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
};

const std::filesystem::path& sheetFile()
{
    static const SheetFile file;
    return file.path;
}

std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// The entries readSheet unpacks from this workbook: the workbook, its relations and the sheet
// (the export writes its strings inline, so there is no shared strings part).
constexpr const char* readEntries[] = { "xl/workbook.xml", "xl/_rels/workbook.xml.rels", "xl/worksheets/sheet1.xml" };

// Unpacks each of `readEntries` of the sheet file through libzip in pieces, handing each piece to `take`.
template <typename Take>
void unpackReadEntries(Take take)
{
    int error = 0;
    zip_t* archive = zip_open(sheetFile().c_str(), ZIP_RDONLY, &error);
    for (const char* name : readEntries) {
        zip_file_t* file = zip_fopen(archive, name, 0);
        char piece[65536];
        zip_int64_t got = 0;
        while ((got = zip_fread(file, piece, sizeof piece)) > 0)
            take(piece, got);
        take(nullptr, 0);
        zip_fclose(file);
    }
    zip_discard(archive);
}

// (The sheet file is made before the timing starts, not in the first timed round.)
void importXlsx(benchmark::State& state)
{
    const std::string path = sheetFile().string();
    for (auto _ : state) {
        const olv::SheetReadResult sheet = olv::readSheet(path);
        benchmark::DoNotOptimize(olv::planRosterImport(sheet.rows, {}));
    }
}

// The rows alone, without the roster's rules.
void readXlsxSheet(benchmark::State& state)
{
    const std::string path = sheetFile().string();
    for (auto _ : state)
        benchmark::DoNotOptimize(olv::readSheet(path));
}

// The same once in a program just started, as the examiner meets it (wall clock): nothing of
// the heap touched yet, so what the import holds in memory at once shows too.
void importXlsxFresh(benchmark::State& state)
{
    const std::string path = sheetFile().string();
    olv::measureFresh(
        state, [] {},
        [&] {
            const olv::SheetReadResult sheet = olv::readSheet(path);
            benchmark::DoNotOptimize(olv::planRosterImport(sheet.rows, {}));
        });
}

void readXlsxBytes(benchmark::State& state)
{
    sheetFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(readBytes(sheetFile()));
}

void readXlsxEntries(benchmark::State& state)
{
    sheetFile();
    for (auto _ : state) {
        std::size_t bytes = 0;
        unpackReadEntries([&](const char*, zip_int64_t got) { bytes += static_cast<std::size_t>(got); });
        benchmark::DoNotOptimize(bytes);
    }
}

// The same entries through QXmlStreamReader, every token read and dropped: what a general XML
// reader costs before an import does anything with what it reads.
void tokenizeXlsxEntries(benchmark::State& state)
{
    sheetFile();
    for (auto _ : state) {
        std::size_t tokens = 0;
        QXmlStreamReader xml;
        unpackReadEntries([&](const char* piece, zip_int64_t got) {
            if (piece)
                xml.addData(QByteArray::fromRawData(piece, static_cast<qsizetype>(got)));
            while (!xml.atEnd() && xml.readNext() != QXmlStreamReader::Invalid)
                ++tokens;
            if (!piece)
                xml.clear();
        });
        benchmark::DoNotOptimize(tokens);
    }
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

// Every entry of the exported workbook, unpacked beforehand, packed again through libzip at
// libxlsxwriter's level (zlib's default, 6) and written to a file.
void writeXlsxEntries(benchmark::State& state)
{
    std::vector<std::pair<std::string, std::string>> entries;
    {
        int error = 0;
        zip_t* archive = zip_open(sheetFile().c_str(), ZIP_RDONLY, &error);
        for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
            zip_stat_t stat;
            zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
            std::string bytes(stat.size, '\0');
            zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
            zip_fread(file, bytes.data(), stat.size);
            zip_fclose(file);
            entries.emplace_back(stat.name, std::move(bytes));
        }
        zip_discard(archive);
    }
    const std::filesystem::path out = benchFile("-entries.xlsx");
    for (auto _ : state) {
        int error = 0;
        zip_t* archive = zip_open(out.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        for (const auto& [name, bytes] : entries) {
            zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
            const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
            zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 6);
        }
        benchmark::DoNotOptimize(zip_close(archive));
    }
    std::filesystem::remove(out);
}

} // namespace

BENCHMARK(importXlsx)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(readXlsxSheet)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(importXlsxFresh)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(readXlsxBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(readXlsxEntries)->Unit(benchmark::kMillisecond);
BENCHMARK(tokenizeXlsxEntries)->Unit(benchmark::kMillisecond);
BENCHMARK(exportXlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(writeXlsxBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(writeXlsxEntries)->Unit(benchmark::kMillisecond);
