#include "platform/File.h"

#include "platform/FaultInjection.h"
#include "platform/FileSystem.h"
#include "platform/Posix.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/mman.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace olv {

namespace {

constexpr std::size_t bufferSize = 64 * 1024;

constexpr std::int64_t noOverride = -1;
std::atomic<std::int64_t> g_lockWaitOverride = noOverride;

// A rename that replaces the file between our open and our lock is rare; one that keeps
// doing so is a fault, not contention.
constexpr int maxReopensAfterRename = 16;

int openFlags(OpenMode mode)
{
    switch (mode) {
    case OpenMode::ReadOnly:
        return O_RDONLY;
    case OpenMode::ReadWriteExisting:
        return O_RDWR;
    case OpenMode::ReadWriteCreate:
        return O_RDWR | O_CREAT;
    case OpenMode::WriteTruncate:
        return O_WRONLY | O_CREAT;
    case OpenMode::CreateNew:
        return O_WRONLY | O_CREAT | O_EXCL;
    case OpenMode::WriteAppendCreate:
        break;
    }
    // Read access lets an append see whether the file's last line is complete.
    return O_RDWR | O_CREAT | O_APPEND;
}

// `created` tells whether this open made the file, so that a failure later in the open can take
// it away again; a file that existed is never removed.
int openDescriptor(const std::filesystem::path& path, int flags, bool& created)
{
    created = false;
    if (std::optional<int> error = faults::takeFault(FileOperation::Open)) {
        errno = *error;
        return -1;
    }
    const auto openWith = [&](int with) {
        return posix::retryOnInterrupt([&] { return ::open(path.c_str(), with | O_CLOEXEC, 0666); });
    };
    int fd = -1;
    if ((flags & O_CREAT) && !(flags & O_EXCL) && !(flags & O_APPEND)) {
        // An existing file first, else a new one; a file made in between by another opener is
        // taken as existing.
        for (int attempt = 0; attempt < 3 && fd < 0; ++attempt) {
            fd = openWith(flags & ~O_CREAT);
            if (fd >= 0 || errno != ENOENT)
                break;
            fd = openWith(flags | O_EXCL);
            created = fd >= 0;
            if (fd < 0 && errno != EEXIST)
                break;
        }
        return fd;
    }
    fd = openWith(flags);
    created = fd >= 0 && (flags & O_EXCL);
    // A drop box may grant writing without reading: an append then goes without the look back.
    if (fd < 0 && errno == EACCES && (flags & O_APPEND))
        fd = openWith((flags & ~O_RDWR) | O_WRONLY);
    return fd;
}

bool heldByAnother() { return errno == EWOULDBLOCK || errno == EAGAIN; }

// The pause before the next try at a held lock: its span doubles with every try up to the
// longest, and the pause is drawn from the upper half of the span.
void pauseBeforeRetry(int tries, std::chrono::steady_clock::time_point deadline)
{
    using std::chrono::microseconds;
    // Seeded again in a forked child, which would otherwise pause exactly as its parent.
    thread_local pid_t seededFor = -1;
    thread_local std::minstd_rand random;
    if (seededFor != ::getpid()) {
        seededFor = ::getpid();
        random.seed(static_cast<unsigned>(seededFor ^ std::chrono::steady_clock::now().time_since_epoch().count()));
    }
    const microseconds longest = longestLockPause;
    const microseconds span
        = std::min(longest, microseconds(firstLockPause) * (std::int64_t { 1 } << std::min(tries, 20)));
    const microseconds pause(std::uniform_int_distribution<std::int64_t>(span.count() / 2, span.count())(random));
    const auto left = std::chrono::duration_cast<microseconds>(deadline - std::chrono::steady_clock::now());
    std::this_thread::sleep_for(std::min(pause, std::max(left, microseconds(0))));
}

bool readsTheFile(OpenMode mode)
{
    return mode == OpenMode::ReadOnly || mode == OpenMode::ReadWriteExisting || mode == OpenMode::ReadWriteCreate;
}

// A folder is never a file; a reader takes only a regular file, since a FIFO or a device would
// keep it waiting for bytes for ever. A writer may write to a device (a test's /dev/full).
bool isUsable(int fd, OpenMode mode)
{
    struct stat status;
    if (::fstat(fd, &status) != 0)
        return false;
    if (!S_ISREG(status.st_mode) && (S_ISDIR(status.st_mode) || readsTheFile(mode))) {
        errno = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    // Opened without blocking only so that a FIFO could not hold the open up: reads and writes
    // block again.
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

// Bytes read, 0 at the end of the file, -1 on an error.
ssize_t readSome(int fd, char* out, std::size_t count)
{
    return posix::retryOnInterrupt([&] { return ::read(fd, out, count); });
}

// Room for `count` bytes. A big string is a mapping of its own, whose pages the kernel would
// otherwise fault in and clear 4 KiB at a time: asked for huge pages, a file of 100 MB takes
// some fifty faults instead of 25,000 (the system may decline; the bytes are the same).
void reserveForRead(std::string& out, std::size_t count)
{
    out.reserve(count);
    constexpr std::uintptr_t hugePage = std::uintptr_t { 2 } << 20;
    if (out.capacity() < 16 * hugePage)
        return;
    const auto start = reinterpret_cast<std::uintptr_t>(out.data());
    const std::uintptr_t first = (start + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t end = (start + out.capacity()) & ~(hugePage - 1);
    if (end > first)
        (void)::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

ssize_t writeSome(int fd, const char* bytes, std::size_t count)
{
    int error = 0;
    std::size_t allowed = faults::writeAllowance(count, error);
    if (allowed == 0 && count > 0) {
        errno = error;
        return error == 0 ? 0 : -1;
    }
    return posix::retryOnInterrupt([&] { return ::write(fd, bytes, allowed); });
}

// The number of bytes written before the first error.
std::size_t writeFully(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t result = writeSome(fd, bytes.data() + done, bytes.size() - done);
        if (result <= 0)
            break;
        done += static_cast<std::size_t>(result);
    }
    return done;
}

} // namespace

void setLockWaitBudget(std::optional<std::chrono::milliseconds> budget)
{
    g_lockWaitOverride = budget ? std::max<std::int64_t>(budget->count(), 0) : noOverride;
}

std::optional<std::chrono::milliseconds> lockWaitBudget()
{
    const std::int64_t budget = g_lockWaitOverride.load();
    if (budget == noOverride)
        return std::nullopt;
    return std::chrono::milliseconds(budget);
}

std::string textModeBytes(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

std::optional<File> File::open(
    const std::filesystem::path& path, OpenMode mode, Sharing sharing, std::chrono::milliseconds lockWait)
{
    const auto deadline = std::chrono::steady_clock::now() + lockWaitBudget().value_or(lockWait);
    std::optional<File> file;
    bool created = false;
    // A file this open made is taken away again when the open fails after all.
    const auto fail = [&]() -> std::optional<File> {
        const int error = errno; // the caller words the failure by it
        if (created && file && file->namesThisFile(path))
            removeFile(path);
        errno = error;
        return std::nullopt;
    };
    for (int reopens = 0;; ++reopens) {
        int fd = openDescriptor(path, openFlags(mode) | O_NONBLOCK, created);
        if (fd < 0)
            return std::nullopt;
        file = File(fd, mode == OpenMode::WriteAppendCreate, path);
        if (!isUsable(fd, mode))
            return fail();
        if (sharing == Sharing::Shared)
            break;
        if (!file->takeLock(path, mode, deadline))
            return fail();
        if (file->namesThisFile(path))
            break;
        if (reopens == maxReopensAfterRename)
            return std::nullopt;
    }
    // Emptied only now, so that an open refused by the lock leaves the file as it was.
    if (mode == OpenMode::WriteTruncate && !file->truncate(0))
        return fail();
    return file;
}

// Waits, with pauses of random and growing length, while another opener holds the lock; fails
// at once on anything else.
bool File::takeLock(const std::filesystem::path& path, OpenMode mode, std::chrono::steady_clock::time_point deadline)
{
    bool reopenedForLock = false;
    for (int tries = 0;; ++tries) {
        if (posix::lockWithoutWaiting(m_fd))
            return true;
        if (errno == EBADF && mode == OpenMode::ReadOnly && !reopenedForLock) {
            // NFS emulates flock with byte-range locks, which refuse an exclusive lock on a
            // descriptor opened for reading only: lock a read-write descriptor instead.
            bool created = false;
            int fd = openDescriptor(path, O_RDWR, created);
            if (fd < 0)
                return false;
            *this = File(fd, false, path);
            reopenedForLock = true;
            continue;
        }
        if (!heldByAnother() || std::chrono::steady_clock::now() >= deadline)
            return false;
        pauseBeforeRetry(tries, deadline);
    }
}

bool File::namesThisFile(const std::filesystem::path& path) const
{
    struct stat opened, named;
    if (::fstat(m_fd, &opened) != 0)
        return false;
    return ::stat(path.c_str(), &named) == 0 && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
}

File::File(int fd, bool appending, std::filesystem::path path)
    : m_fd(fd)
    , m_appending(appending)
    , m_path(std::move(path))
{ }

File::File(File&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
    , m_appending(other.m_appending)
    , m_path(std::move(other.m_path))
    , m_position(std::exchange(other.m_position, 0))
    , m_buffer(std::move(other.m_buffer))
    , m_bufferPos(std::exchange(other.m_bufferPos, 0))
    , m_bufferEnd(std::exchange(other.m_bufferEnd, 0))
    , m_gatherPiece(std::exchange(other.m_gatherPiece, 0))
    , m_gathered(std::move(other.m_gathered))
    , m_gatherFailed(std::exchange(other.m_gatherFailed, false))
{ }

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
        m_appending = other.m_appending;
        m_path = std::move(other.m_path);
        m_position = std::exchange(other.m_position, 0);
        m_buffer = std::move(other.m_buffer);
        m_bufferPos = std::exchange(other.m_bufferPos, 0);
        m_bufferEnd = std::exchange(other.m_bufferEnd, 0);
        m_gatherPiece = std::exchange(other.m_gatherPiece, 0);
        m_gathered = std::move(other.m_gathered);
        m_gatherFailed = std::exchange(other.m_gatherFailed, false);
    }
    return *this;
}

File::~File() { close(); }

bool File::close()
{
    bool closed = writeGathered();
    if (m_fd >= 0) {
        // Never retried: on Linux the descriptor is gone even after EINTR.
        closed = (::close(m_fd) == 0 || errno == EINTR) && closed;
        if (std::optional<int> error = faults::takeFault(FileOperation::Close)) {
            errno = *error;
            closed = false;
        }
    }
    m_fd = -1;
    m_position = 0;
    m_bufferPos = m_bufferEnd = 0;
    m_gatherPiece = 0;
    m_gathered = {};
    m_gatherFailed = false;
    return closed;
}

// Bytes read ahead, 0 at the end of the file, -1 on an error.
std::ptrdiff_t File::fillBuffer()
{
    if (m_fd < 0 || !writeGathered())
        return -1;
    if (!m_buffer)
        m_buffer = std::make_unique<char[]>(bufferSize);
    ssize_t count = readSome(m_fd, m_buffer.get(), bufferSize);
    m_bufferPos = 0;
    m_bufferEnd = count > 0 ? static_cast<std::size_t>(count) : 0;
    return count;
}

// Forgets the bytes read ahead and puts the descriptor back at the logical position.
bool File::dropBuffer()
{
    if (m_bufferPos == m_bufferEnd)
        return true;
    m_bufferPos = m_bufferEnd = 0;
    return ::lseek(m_fd, m_position, SEEK_SET) == m_position;
}

bool File::readTextLine(std::string& line, std::size_t longest)
{
    line.clear();
    longest = std::min(longest, anyLength);
    std::size_t seen = 0; // bytes of the line before its LF, kept or passed over
    bool readAny = false;
    while (m_bufferPos < m_bufferEnd || fillBuffer() > 0) {
        readAny = true;
        const char* start = m_buffer.get() + m_bufferPos;
        std::size_t available = m_bufferEnd - m_bufferPos;
        auto* newline = static_cast<const char*>(std::memchr(start, '\n', available));
        std::size_t length = newline ? static_cast<std::size_t>(newline - start) : available;
        line.append(start, std::min(length, longest + 1 - line.size()));
        seen += length;
        std::size_t consumed = newline ? length + 1 : length;
        m_bufferPos += consumed;
        m_position += static_cast<std::int64_t>(consumed);
        if (newline) {
            // The CR of a CR LF pair may have come with the previous buffer: it is in `line` either
            // way. A line cut short keeps its last byte, whatever it is.
            if (seen <= longest + 1 && !line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
    }
    return readAny;
}

std::string File::read(std::size_t count)
{
    std::string out;
    while (out.size() < count && (m_bufferPos < m_bufferEnd || fillBuffer() > 0)) {
        std::size_t taken = std::min(count - out.size(), m_bufferEnd - m_bufferPos);
        out.append(m_buffer.get() + m_bufferPos, taken);
        m_bufferPos += taken;
        m_position += static_cast<std::int64_t>(taken);
    }
    return out;
}

std::optional<std::string> File::readAll()
{
    if (m_fd < 0 || !writeGathered())
        return std::nullopt;
    std::string out;
    // Sized once from the file's length (one byte over, so the read that finds the end needs no
    // growth), and read straight into the string: a bank of many megabytes is neither moved as it
    // grows nor copied through the read buffer.
    if (const std::optional<std::int64_t> total = size(); total && *total > m_position)
        reserveForRead(out, static_cast<std::size_t>(*total - m_position) + 1);
    if (m_bufferPos < m_bufferEnd)
        out.assign(m_buffer.get() + m_bufferPos, m_bufferEnd - m_bufferPos);
    m_position += static_cast<std::int64_t>(m_bufferEnd - m_bufferPos);
    m_bufferPos = m_bufferEnd = 0;
    for (;;) {
        const std::size_t used = out.size();
        if (used == out.capacity())
            out.reserve(std::max(2 * used, used + bufferSize));
        out.resize(out.capacity());
        const ssize_t count = readSome(m_fd, out.data() + used, out.size() - used);
        out.resize(used + static_cast<std::size_t>(std::max<ssize_t>(count, 0)));
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            return out;
        m_position += count;
    }
}

void File::gatherWrites(std::size_t pieceSize) { m_gatherPiece = m_appending ? 0 : pieceSize; }

// Hands the gathered bytes to the system; false, now and on every later call, once that failed.
bool File::writeGathered()
{
    if (!m_gathered.empty()) {
        const std::size_t wanted = m_gathered.size();
        const std::size_t written = writeFully(m_fd, m_gathered);
        // The position counted the gathered bytes already; the part that did not go down is off it.
        m_position -= static_cast<std::int64_t>(wanted - written);
        m_gathered.clear();
        m_gatherFailed = m_gatherFailed || written != wanted;
    }
    return !m_gatherFailed;
}

bool File::write(std::string_view bytes)
{
    if (m_fd < 0 || !dropBuffer() || m_gatherFailed)
        return false;
    if (m_gatherPiece > 0) {
        if (m_gathered.size() + bytes.size() < m_gatherPiece) {
            if (m_gathered.capacity() < m_gatherPiece)
                m_gathered.reserve(m_gatherPiece);
            m_gathered.append(bytes);
            m_position += static_cast<std::int64_t>(bytes.size());
            return true;
        }
        // A piece is full: what was gathered goes first, then the new bytes in one call.
        if (!writeGathered())
            return false;
    }
    std::size_t written = writeFully(m_fd, bytes);
    if (m_appending) {
        // Appended bytes land at the end, wherever the position was.
        off_t end = ::lseek(m_fd, 0, SEEK_CUR);
        if (end >= 0)
            m_position = end;
    } else {
        m_position += static_cast<std::int64_t>(written);
    }
    m_gatherFailed = m_gatherPiece > 0 && written != bytes.size();
    return written == bytes.size();
}

bool File::writeText(std::string_view text) { return write(textModeBytes(text)); }

bool File::endsWithLineFeed(std::int64_t size)
{
    char last = 0;
    // A descriptor without read access cannot look back; the record then simply follows.
    return size == 0 || ::pread(m_fd, &last, 1, size - 1) != 1 || last == '\n';
}

bool File::appendLine(std::string_view bytes)
{
    if (!writeGathered())
        return false;
    const std::size_t gatherPiece = std::exchange(m_gatherPiece, 0);
    const bool appended = appendWhole(bytes);
    m_gatherPiece = gatherPiece;
    return appended;
}

bool File::appendWhole(std::string_view bytes)
{
    std::optional<std::int64_t> before = size();
    if (!before || !seekToEnd())
        return false;
    std::string record = endsWithLineFeed(*before) ? std::string() : std::string("\r\n");
    record += bytes;
    if (write(record))
        return true;
    truncate(*before);
    seek(*before);
    return false;
}

std::int64_t File::position() const { return m_position; }

bool File::seek(std::int64_t offset)
{
    if (m_fd < 0 || offset < 0 || !writeGathered())
        return false;
    m_bufferPos = m_bufferEnd = 0;
    off_t result = ::lseek(m_fd, offset, SEEK_SET);
    if (result < 0)
        return false;
    m_position = result;
    return true;
}

bool File::seekToEnd()
{
    if (m_fd < 0 || !writeGathered())
        return false;
    m_bufferPos = m_bufferEnd = 0;
    off_t result = ::lseek(m_fd, 0, SEEK_END);
    if (result < 0)
        return false;
    m_position = result;
    return true;
}

std::optional<std::int64_t> File::size() const
{
    struct stat status;
    if (m_fd < 0 || ::fstat(m_fd, &status) != 0)
        return std::nullopt;
    // Gathered bytes go down from the descriptor's offset, which ends where the position does.
    return m_gathered.empty() ? status.st_size : std::max<std::int64_t>(status.st_size, m_position);
}

bool File::takeAccessOf(unsigned mode, unsigned owner, unsigned group)
{
    if (m_fd < 0)
        return false;
    // The owner first: a change of owner may clear the set-id bits the mode then restores.
    if (::fchown(m_fd, static_cast<uid_t>(owner), static_cast<gid_t>(group)) != 0)
        (void)::fchown(m_fd, static_cast<uid_t>(-1), static_cast<gid_t>(group)); // a group of one's own
    return ::fchmod(m_fd, static_cast<mode_t>(mode & 07777)) == 0;
}

bool File::truncate(std::int64_t length)
{
    if (m_fd < 0 || length < 0 || !dropBuffer() || !writeGathered())
        return false;
    if (std::optional<int> error = faults::takeFault(FileOperation::Truncate)) {
        errno = *error;
        return false;
    }
    return posix::retryOnInterrupt([&] { return ::ftruncate(m_fd, length); }) == 0;
}

bool File::sync()
{
    if (m_fd < 0 || !writeGathered())
        return false;
    if (std::optional<int> error = faults::takeFault(FileOperation::Sync)) {
        errno = *error;
        return false;
    }
    return posix::retryOnInterrupt([&] { return ::fsync(m_fd); }) == 0;
}

} // namespace olv
