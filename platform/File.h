#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace olv {

// The ways the programs open a file. Every mode creates or truncates only once the
// lock (when asked for) is held, so a refused open never changes the file.
enum class OpenMode
{
    ReadOnly, // existing file, read only
    ReadWriteExisting, // existing file, read and write
    ReadWriteCreate, // read and write, created when missing
    WriteTruncate, // write only, created when missing, emptied when present
    WriteAppendCreate, // write only, created when missing, never emptied; every write goes to the end
};

enum class Sharing
{
    Exclusive, // no other opener may hold the file: fails at once when another one does
    Shared, // no lock
};

// An open file with byte offsets, raw access and the line semantics of a text-mode C
// stream: readTextLine turns CR LF into the end of a line (a lone CR stays part of the
// line), writeText turns every LF into CR LF. Reads are buffered; a write, seek or
// truncate drops the read buffer, so the two may be mixed freely.
class File
{
public:
    static std::optional<File> open(
        const std::filesystem::path& path, OpenMode mode, Sharing sharing = Sharing::Exclusive);

    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    // Reads the next line without its LF (and without the CR of a CR LF pair).
    // False when the file is at its end before any byte was read.
    bool readTextLine(std::string& line);

    // Reads up to `count` bytes; fewer only at the end of the file or on an error.
    std::string read(std::size_t count);
    // Reads everything from the current position to the end.
    std::optional<std::string> readAll();

    bool write(std::string_view bytes);
    bool writeText(std::string_view text);

    std::int64_t position() const;
    bool seek(std::int64_t offset);
    bool seekToEnd();
    std::optional<std::int64_t> size() const;
    bool truncate(std::int64_t length);
    // Pushes written bytes down to the disk.
    bool sync();

    void close();
    bool isOpen() const { return m_fd >= 0; }

private:
    File(int fd, bool appending);
    std::ptrdiff_t fillBuffer();
    bool dropBuffer();

    int m_fd = -1;
    bool m_appending = false;
    std::int64_t m_position = 0; // logical position, read buffer taken into account
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_bufferPos = 0;
    std::size_t m_bufferEnd = 0;
};

} // namespace olv
