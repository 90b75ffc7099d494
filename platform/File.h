#pragma once

#include <chrono>
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
    // write, created when missing, never emptied; every write goes to the end. Read too where
    // the permissions allow it, so that an append can look at the last line.
    WriteAppendCreate,
    CreateNew, // write only, created here and now: refused when the name is already taken
};

enum class Sharing
{
    Exclusive, // no other opener may hold the file: waits a while for one that does, then fails
    Shared, // no lock
};

// How long, in all, an exclusive open waits for a lock that another opener holds before it
// fails. A candidate's login and hand-in wait longest: a whole hall may reach the score database
// and the answer sheet in the same second, and a refusal there costs a message and the
// invigilator. Every other open (the examiner's tools, a refresh of a list) waits less: the
// examiner's machine is one among the many and can simply try again.
inline constexpr std::chrono::milliseconds candidateLockWait { 30'000 };
inline constexpr std::chrono::milliseconds examinerLockWait { 3'000 };
// While it waits, an open tries the lock again after a pause that doubles from the first to the
// longest, each drawn at random from the upper half of its span: machines that met at a lock do
// not meet again, and a queue of hundreds leaves the holder the processor and the network.
inline constexpr std::chrono::milliseconds firstLockPause { 2 };
inline constexpr std::chrono::milliseconds longestLockPause { 250 };

// Replaces the wait of every exclusive open in the process (0 fails at once); nullopt gives each
// open its own wait back. For tests and measurements.
void setLockWaitBudget(std::optional<std::chrono::milliseconds> budget);
std::optional<std::chrono::milliseconds> lockWaitBudget();

// The bytes that writeText puts on the disk for `text`: every LF becomes CR LF.
std::string textModeBytes(std::string_view text);

// An open file with byte offsets, raw access and the line semantics of a text-mode C
// stream: readTextLine turns CR LF into the end of a line (a lone CR stays part of the
// line), writeText turns every LF into CR LF. Reads are buffered; a write, seek or
// truncate drops the read buffer, so the two may be mixed freely.
class File
{
public:
    // An exclusive open takes the lock before it creates or truncates anything, and once it
    // holds the lock makes sure the path still names the locked file (a rename may have put
    // another file there meanwhile); when not, it opens again. `lockWait` is how long it waits
    // for another holder. A mode that reads opens only a regular file: a FIFO, a device or a
    // socket has no end to read to, and is refused at once (errno EINVAL).
    static std::optional<File> open(const std::filesystem::path& path, OpenMode mode,
        Sharing sharing = Sharing::Exclusive, std::chrono::milliseconds lockWait = examinerLockWait);

    // The path the file was opened by.
    const std::filesystem::path& path() const { return m_path; }

    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    // Reads the next line without its LF (and without the CR of a CR LF pair).
    // False when the file is at its end before any byte was read. A line longer than `longest`
    // bytes comes back cut to longest + 1 bytes, so the caller can tell; the rest of it is passed
    // over without being held in memory.
    static constexpr std::size_t anyLength = std::size_t(-1) / 2;
    bool readTextLine(std::string& line, std::size_t longest = anyLength);

    // Reads up to `count` bytes; fewer only at the end of the file or on an error.
    std::string read(std::size_t count);
    // Reads everything from the current position to the end.
    std::optional<std::string> readAll();

    bool write(std::string_view bytes);
    // From now on, written bytes are gathered into pieces of `pieceSize` before they go to the
    // system, so that a file written record by record takes a few large writes. Gathered bytes go
    // down before any other operation on the file; when they cannot, that operation fails (a
    // close included). An append (appendLine) always goes down at once.
    static constexpr std::size_t writePiece = 256 * 1024;
    void gatherWrites(std::size_t pieceSize = writePiece);
    bool writeText(std::string_view text);
    // Appends `bytes` (which end with a line end) as one whole record: when the file's last
    // byte is not LF, CR LF goes first so the record starts on its own line; when any of it
    // cannot be written, the file is cut back to its length before the append.
    bool appendLine(std::string_view bytes);

    std::int64_t position() const;
    bool seek(std::int64_t offset);
    bool seekToEnd();
    std::optional<std::int64_t> size() const;
    bool truncate(std::int64_t length);
    // Pushes written bytes down to the disk.
    bool sync();

    // False when the system reports an error on closing (such as a write-back that failed).
    bool close();
    // Gives the file `mode`'s permission bits and, where the process may, `owner` and `group`
    // (a user who may not give a file away keeps it as theirs); false when the mode could not be set.
    bool takeAccessOf(unsigned mode, unsigned owner, unsigned group);
    bool isOpen() const { return m_fd >= 0; }

private:
    File(int fd, bool appending, std::filesystem::path path);
    bool takeLock(const std::filesystem::path& path, OpenMode mode, std::chrono::steady_clock::time_point deadline);
    bool namesThisFile(const std::filesystem::path& path) const;
    bool endsWithLineFeed(std::int64_t size);
    bool appendWhole(std::string_view bytes);
    std::ptrdiff_t fillBuffer();
    bool dropBuffer();
    bool writeGathered();

    int m_fd = -1;
    bool m_appending = false;
    std::filesystem::path m_path;
    std::int64_t m_position = 0; // logical position, read buffer taken into account
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_bufferPos = 0;
    std::size_t m_bufferEnd = 0;
    std::size_t m_gatherPiece = 0; // 0: every write goes down at once
    std::string m_gathered; // written bytes not yet handed to the system
    bool m_gatherFailed = false;
};

} // namespace olv
