// The XML pull reader of the question files and workbook parts, over any bytes: every event read,
// every view touched, until the end or the first error.
#include "admin/xml/XmlReader.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    olv::XmlReader xml(text);
    std::size_t touched = 0;
    for (auto event = xml.next(); event != olv::XmlReader::Event::Done; event = xml.next()) {
        if (event == olv::XmlReader::Event::Error) {
            touched += xml.errorText().size();
            break;
        }
        touched += xml.name().size() + xml.localName().size() + xml.value().size() + xml.attribute("r").size()
            + xml.attributeByLocalName("id").size();
    }
    return touched == static_cast<std::size_t>(-1);
}
