#pragma once

#include "admin/xml/XmlReader.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

namespace olv {

// One part of a workbook unpacked on a thread of its own while the reader reads what has
// arrived: a large sheet takes about as long to unpack as to read, so the two overlap. The text
// is handed on as UTF-8 only, up to whole characters and never past the first bytes that are
// not UTF-8.
class UnpackingPart
{
public:
    // Reads up to `most` bytes into `into`: how many, 0 at the end, less than 0 on damage.
    using Read = std::function<std::int64_t(char* into, std::size_t most)>;

    // Starts unpacking a part of `size` bytes, as its archive states, through `read`.
    UnpackingPart(std::size_t size, Read read);
    // Waits for the unpacking to end.
    ~UnpackingPart();
    UnpackingPart(const UnpackingPart&) = delete;
    UnpackingPart& operator=(const UnpackingPart&) = delete;

    // Waits until `count` bytes have arrived or no more will come; the bytes as they are.
    std::string_view start(std::size_t count);
    // Waits until `count` bytes of checked text have arrived or no more will come.
    XmlArrived arrived(std::size_t count);
    // Waits for the end: whether the part unpacked whole, to its stated size and its checksum.
    bool unpackedWhole();
    // After unpackedWhole(): every byte that arrived.
    std::string_view bytes() const { return { m_bytes.get(), m_received }; }

private:
    void unpack() noexcept;

    const std::size_t m_size;
    const std::unique_ptr<char[]> m_bytes;
    Read m_read;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    // Guarded by m_mutex:
    std::size_t m_received = 0;
    std::size_t m_checked = 0; // the bytes before this are whole UTF-8 characters
    bool m_notUtf8 = false; // the byte at m_checked starts no UTF-8 character
    bool m_ended = false;
    bool m_whole = false;
    std::thread m_thread; // last: it starts when everything else is in place
};

} // namespace olv
