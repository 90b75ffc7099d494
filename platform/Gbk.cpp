#include "platform/Gbk.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <vector>

namespace olv {

namespace {

bool isGbkTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

// How many bytes one "?" stands for where GBK cannot be decoded: an unknown pair is one character.
std::size_t undecodableGbkLength(std::string_view rest)
{
    bool pair = rest.size() >= 2 && isGbkLeadByte(static_cast<unsigned char>(rest[0]))
        && isGbkTrailByte(static_cast<unsigned char>(rest[1]));
    return pair ? 2 : 1;
}

// The length of the well-formed UTF-8 character at the start of `rest`, 0 when it is not one.
std::size_t utf8CharacterLength(std::string_view rest)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(rest[i]); };
    unsigned char lead = byte(0);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead <= 0xF4 ? 4 : 0;
    if (length == 0 || rest.size() < length)
        return 0;
    unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (length > 1 && (byte(1) < low || byte(1) > high))
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

// A character GBK cannot hold is skipped whole; a broken sequence one byte at a time.
std::size_t unencodableUtf8Length(std::string_view rest) { return std::max<std::size_t>(utf8CharacterLength(rest), 1); }

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// One iconv descriptor per direction and thread, opened on first use.
class Converter
{
public:
    using BadLength = std::size_t (*)(std::string_view);

    // `outputPerByte`: output bytes to make room for per input byte, as the encodings go at most.
    Converter(const char* to, const char* from, BadLength badLength, std::size_t outputPerByte)
        : m_cd(::iconv_open(to, from))
        , m_badLength(badLength)
        , m_outputPerByte(outputPerByte)
    { }
    ~Converter()
    {
        if (isValid())
            ::iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::string convert(std::string_view input)
    {
        if (!isValid())
            return replaceNonAscii(input);
        ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        // Room enough for the usual case; a short text then stays within the string itself.
        std::string out(input.size() * m_outputPerByte, '\0');
        std::size_t used = 0;
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        while (inLeft > 0) {
            char* outPtr = out.data() + used;
            std::size_t outLeft = out.size() - used;
            std::size_t result = ::iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            used = static_cast<std::size_t>(outPtr - out.data());
            if (result != static_cast<std::size_t>(-1))
                break;
            if (errno == E2BIG || used == out.size()) {
                out.resize(out.size() * 2);
                continue;
            }
            // EILSEQ or EINVAL: a character that cannot be converted, or a sequence cut off at the end.
            std::size_t skip = std::min(m_badLength({ in, inLeft }), inLeft);
            out[used++] = '?';
            in += skip;
            inLeft -= skip;
        }
        out.resize(used);
        return out;
    }

    bool isValid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

private:
    static std::string replaceNonAscii(std::string_view input)
    {
        std::string out(input);
        std::replace_if(
            out.begin(), out.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }, '?');
        return out;
    }

    iconv_t m_cd;
    BadLength m_badLength;
    std::size_t m_outputPerByte;
};

// UTF-8 to GBK a character at a time, through a table of the characters of the Basic
// Multilingual Plane filled from iconv as they are met: for the short fields of a roster or a
// bank, a call into iconv costs more than all the characters of the field. Characters beyond
// that plane and broken sequences take the way a conversion through iconv takes for them.
class Utf8ToGbkTable
{
public:
    explicit Utf8ToGbkTable(Converter& converter)
        : m_converter(converter)
        , m_entries(0x10000, 0)
    { }

    std::string convert(std::string_view utf8)
    {
        std::string out;
        out.reserve(utf8.size());
        for (std::size_t at = 0; at < utf8.size();) {
            const auto lead = static_cast<unsigned char>(utf8[at]);
            if (lead < 0x80) {
                out += static_cast<char>(lead);
                ++at;
                continue;
            }
            const std::size_t length = utf8CharacterLength(utf8.substr(at));
            if (length == 0 || length == 4) {
                // A broken byte becomes "?" and is skipped alone; iconv says so for the rest.
                out += length == 0 ? std::string("?") : m_converter.convert(utf8.substr(at, length));
                at += length == 0 ? 1 : length;
                continue;
            }
            std::uint32_t& entry = m_entries[codePoint(utf8.substr(at, length))];
            if (entry == 0)
                entry = entryOf(m_converter.convert(utf8.substr(at, length)));
            if ((entry & known) == 0) {
                out += m_converter.convert(utf8.substr(at, length)); // more than two bytes: not kept
            } else {
                out += static_cast<char>(entry & 0xFF);
                if (entry & twoBytes)
                    out += static_cast<char>((entry >> 8) & 0xFF);
            }
            at += length;
        }
        return out;
    }

private:
    static constexpr std::uint32_t known = 1u << 31;
    static constexpr std::uint32_t twoBytes = 1u << 30;
    static constexpr std::uint32_t unkept = 1u << 29;

    static std::uint32_t codePoint(std::string_view character)
    {
        const auto byte
            = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(character[i])); };
        if (character.size() == 2)
            return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
        return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    }

    static std::uint32_t entryOf(const std::string& gbk)
    {
        const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(gbk[i])); };
        if (gbk.size() == 1)
            return known | byte(0);
        if (gbk.size() == 2)
            return known | twoBytes | byte(0) | (byte(1) << 8);
        return unkept;
    }

    Converter& m_converter;
    std::vector<std::uint32_t> m_entries;
};

} // namespace

std::string gbkToUtf8(std::string_view gbk)
{
    if (isAscii(gbk))
        return std::string(gbk);
    thread_local Converter converter("UTF-8", "GBK", undecodableGbkLength, 2);
    return converter.convert(gbk);
}

std::string utf8ToGbk(std::string_view utf8)
{
    if (isAscii(utf8))
        return std::string(utf8);
    thread_local Converter converter("GBK", "UTF-8", unencodableUtf8Length, 1);
    if (!converter.isValid())
        return converter.convert(utf8);
    thread_local Utf8ToGbkTable table(converter);
    return table.convert(utf8);
}

} // namespace olv
