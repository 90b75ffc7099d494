// The XML pull reader of the question files and workbook parts, over any bytes: every event read,
// every view touched, until the end or the first error. The same bytes arriving in pieces (of a
// size the first byte picks) must read the same, error and line included.
#include "admin/xml/XmlReader.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string transcript(olv::XmlReader& xml)
{
    std::string out;
    for (auto event = xml.next(); event != olv::XmlReader::Event::Done; event = xml.next()) {
        if (event == olv::XmlReader::Event::Error)
            return out + "!" + xml.errorText();
        // What each event stands for: a name for a tag, attributes for a start, a value for a text.
        out += std::to_string(static_cast<int>(event));
        if (event == olv::XmlReader::Event::Text)
            out.append(xml.value());
        else
            out.append(xml.name()).append(xml.localName());
        if (event == olv::XmlReader::Event::Start)
            out.append(xml.attribute("r")).append(xml.attributeByLocalName("id"));
        out += '\n';
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    olv::XmlReader whole(text);
    const std::size_t piece = size == 0 ? 1 : data[0] % 7 + 1;
    std::size_t given = 0;
    olv::XmlReader inPieces([&](std::size_t count) {
        given = std::min(text.size(), std::max(count, given + piece));
        return olv::XmlArrived { std::string_view(text).substr(0, given), given == text.size(), {} };
    });
    if (transcript(whole) != transcript(inPieces))
        std::abort();
    return 0;
}
