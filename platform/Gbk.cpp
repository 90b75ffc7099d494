#include "platform/Gbk.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

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

private:
    bool isValid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

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
    return converter.convert(utf8);
}

} // namespace olv
