#include "platform/File.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

namespace olv {
namespace {

// A score-database-like file: 57-byte records ended by CR LF, about 16 MB.
class LinesFile
{
public:
    LinesFile()
    {
        std::string record(57, 'x');
        record += "\r\n";
        std::string bytes;
        for (int i = 0; i < 280'000; ++i)
            bytes += record;
        auto file = File::open(m_path, OpenMode::WriteTruncate, Sharing::Shared);
        if (!file || !file->write(bytes))
            throw std::runtime_error("cannot write the benchmark file");
        m_size = bytes.size();
    }
    ~LinesFile() { ::unlink(m_path.c_str()); }

    const std::filesystem::path& path() const { return m_path; }
    std::size_t size() const { return m_size; }

private:
    std::filesystem::path m_path
        = std::filesystem::temp_directory_path() / ("olv-bench-lines-" + std::to_string(::getpid()));
    std::size_t m_size = 0;
};

const LinesFile& linesFile()
{
    static LinesFile file;
    return file;
}

void readTextLines(benchmark::State& state)
{
    std::string line;
    for (auto _ : state) {
        auto file = File::open(linesFile().path(), OpenMode::ReadOnly);
        while (file->readTextLine(line))
            benchmark::DoNotOptimize(line.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * linesFile().size()));
}
BENCHMARK(readTextLines);

// The floor for the line reader: the same bytes in 64 KiB blocks, no line splitting.
void readRawBlocks(benchmark::State& state)
{
    for (auto _ : state) {
        auto file = File::open(linesFile().path(), OpenMode::ReadOnly);
        while (!file->read(64 * 1024).empty())
            benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * linesFile().size()));
}
BENCHMARK(readRawBlocks);

} // namespace
} // namespace olv
