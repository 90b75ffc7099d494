#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace olv {

// Decodes the entity `name` (without & and ;) onto `out`: the five of XML and character
// references to characters XML allows; false for any other. HTML adds &nbsp; (as a space).
bool decodeXmlEntity(std::string_view name, std::string& out, bool html);

// Whether two names are the same. Names are short: compared in place rather than through memcmp.
inline bool sameXmlName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

// What has arrived of a text that comes in pieces (a part still being unpacked): the text so far,
// at the same place as before and only longer; whether that is all; and, when the text stops
// short, why (the bytes after it are not text, or could not be read).
struct XmlArrived
{
    std::string_view text;
    bool complete = true;
    std::string failure;
};

// A pull reader over UTF-8 XML held whole in memory, for the files teachers bring (question
// files, the parts of a workbook): elements, attributes, text with entities, CDATA, comments,
// processing instructions and a DOCTYPE (its declarations are not used). It checks what makes a
// file XML at all: one root element, tags that pair, attributes quoted and not repeated, known
// entities, no text outside the root. Names, values and attributes are views into the text; only
// a text with entities or line ends to mend is decoded, into a buffer of the reader's. The text
// must outlive the reader; a byte order mark at its start is skipped.
class XmlReader
{
public:
    enum class Event
    {
        Start,
        End,
        Text,
        Done,
        Error
    };

    explicit XmlReader(std::string_view text);
    // A text that arrives in pieces: `more(n)` waits until n bytes have arrived or no more will.
    // A token cut by the end of what has arrived is read again, whole, once more has come.
    explicit XmlReader(std::function<XmlArrived(std::size_t)> more);

    Event next();
    // Stops the reading with an error of the caller's (the bytes were not text, an element
    // stood where text was due): every next event is then an Error with `what`.
    void raiseError(std::string what)
    {
        m_complete = true;
        fail(std::move(what));
    }

    // The element just started or ended, as written ("x:row") and without its prefix ("row").
    std::string_view name() const { return m_name; }
    std::string_view localName() const { return m_localName; }
    // The text just read.
    std::string_view value() const { return m_value; }
    // An attribute of the element just started, by its name as written ("r:id") or by that name
    // without its prefix ("id"); empty when it has none.
    std::string_view attribute(std::string_view name) const;
    std::string_view attributeByLocalName(std::string_view name) const;
    // After an Error (and every event after it is one): what is wrong, and the line (from 1) where reading stopped.
    const std::string& error() const { return m_error; }
    std::size_t errorLine() const { return m_errorLine; }
    // "第N行: XML格式错误, WHAT".
    std::string errorText() const;
    std::size_t depth() const { return m_open.size(); }

private:
    static constexpr std::size_t noDecoded = std::string_view::npos;

    struct Attribute
    {
        std::string_view key;
        std::string_view value; // as written, when it needs no decoding
        std::size_t decoded = noDecoded; // else its place in m_decodedAttributes
    };

    bool starts(std::string_view prefix) const { return m_text.substr(m_at, prefix.size()) == prefix; }
    bool skipPast(std::string_view end);
    Event fail(std::string what);
    // Stops the token being read at the end of what has arrived of the text: it is read again
    // when more has come.
    Event awaitMore()
    {
        m_at = m_tokenStart;
        m_awaitingMore = true;
        return Event::Error;
    }
    void takeMore();
    Event read();
    Event markup();
    Event text();
    Event endTag();
    Event startTag();
    void setName(std::string_view name)
    {
        m_name = name;
        const auto colon = name.rfind(':');
        m_localName = colon == std::string_view::npos ? name : name.substr(colon + 1);
    }
    std::string_view attributeValue(const Attribute& attribute) const
    {
        return attribute.decoded == noDecoded ? attribute.value
                                              : std::string_view(m_decodedAttributes[attribute.decoded]);
    }

    std::string_view m_text;
    std::function<XmlArrived(std::size_t)> m_more;
    bool m_complete = true; // whether m_text is all of the text
    bool m_awaitingMore = false;
    std::size_t m_at = 0;
    std::size_t m_tokenStart = 0;
    std::vector<std::string_view> m_open;
    std::vector<Attribute> m_attributes;
    std::vector<std::string> m_decodedAttributes;
    std::string_view m_name;
    std::string_view m_localName;
    std::string_view m_value;
    std::string m_decoded;
    std::string m_error;
    std::size_t m_errorLine = 0;
    bool m_pendingEnd = false;
    bool m_rootSeen = false;
};

} // namespace olv
