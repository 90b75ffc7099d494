#include "admin/sheets/UnpackingPart.h"

#include "admin/xml/XmlEncoding.h"
#include "common/Utf8Check.h"

#include <algorithm>

namespace olv {

namespace {

// Bytes unpacked between two hand-overs: large enough that waking the reader costs nothing,
// small enough that it starts at once.
constexpr std::size_t pieceSize = 128 * 1024;

// The end of `text` before its last character when that one may go on in bytes still to come.
std::size_t wholeCharactersEnd(std::string_view text)
{
    std::size_t end = text.size();
    for (int back = 0; back < 3 && end > 0 && (static_cast<unsigned char>(text[end - 1]) & 0xC0) == 0x80; ++back)
        --end;
    if (end > 0 && static_cast<unsigned char>(text[end - 1]) >= 0xC0)
        return end - 1;
    return text.size();
}

} // namespace

UnpackingPart::UnpackingPart(std::size_t size, Read read)
    : m_size(size)
    , m_bytes(new char[size]) // not zero-filled: the unpacking writes every byte first
    , m_read(std::move(read))
    , m_thread([this] { unpack(); })
{ }

UnpackingPart::~UnpackingPart() { m_thread.join(); }

void UnpackingPart::unpack() noexcept
{
    std::size_t received = 0;
    std::size_t checked = 0;
    bool notUtf8 = false;
    bool whole = true;
    while (received < m_size) {
        const std::int64_t piece = m_read(m_bytes.get() + received, std::min(pieceSize, m_size - received));
        if (piece <= 0) {
            whole = false;
            break;
        }
        received += static_cast<std::size_t>(piece);
        if (!notUtf8) {
            const std::string_view fresh(m_bytes.get() + checked, received - checked);
            const std::size_t end = received == m_size ? fresh.size() : wholeCharactersEnd(fresh);
            const std::size_t bad = firstBadUtf8(fresh.substr(0, end));
            notUtf8 = bad != std::string_view::npos;
            checked += notUtf8 ? bad : end;
        }
        const std::lock_guard lock(m_mutex);
        m_received = received;
        m_checked = checked;
        m_notUtf8 = notUtf8;
        m_changed.notify_all();
    }
    // One read past the stated size lets the archive compare the checksum of what it unpacked.
    char beyond = 0;
    whole = whole && m_read(&beyond, 1) == 0;
    const std::lock_guard lock(m_mutex);
    m_ended = true;
    m_whole = whole;
    m_changed.notify_all();
}

std::string_view UnpackingPart::start(std::size_t count)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_received >= count || m_ended; });
    return { m_bytes.get(), m_received };
}

XmlArrived UnpackingPart::arrived(std::size_t count)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_checked >= count || m_notUtf8 || m_ended; });
    XmlArrived arrived { { m_bytes.get(), m_checked }, m_notUtf8 || m_ended, {} };
    if (m_notUtf8)
        arrived.failure = notUtf8Text;
    else if (m_ended && !m_whole)
        arrived.failure = "文件损坏";
    return arrived;
}

bool UnpackingPart::unpackedWhole()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_ended; });
    return m_whole;
}

} // namespace olv
