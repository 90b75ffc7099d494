#include "admin/xml/XmlReader.h"

#include "admin/xml/XmlEncoding.h"

#include <gtest/gtest.h>

namespace {

// The events of a reading, one word each: "<a k=v>", "text", "</a>", or "!what" at the error.
std::string transcript(olv::XmlReader& xml)
{
    std::string out;
    for (;;) {
        switch (xml.next()) {
        case olv::XmlReader::Event::Start:
            out += "<" + std::string(xml.localName());
            if (!xml.attributeByLocalName("k").empty())
                out += " k=" + std::string(xml.attributeByLocalName("k"));
            out += ">";
            break;
        case olv::XmlReader::Event::End:
            out += "</" + std::string(xml.name()) + ">";
            break;
        case olv::XmlReader::Event::Text:
            out += "[" + std::string(xml.value()) + "]";
            break;
        case olv::XmlReader::Event::Done:
            return out;
        case olv::XmlReader::Event::Error:
            return out + "!" + xml.error();
        }
    }
}

std::string transcript(std::string text)
{
    if (const auto failure = olv::convertXmlToUtf8(text))
        return "!" + *failure;
    olv::XmlReader xml(text);
    return transcript(xml);
}

// The transcript with the line of an error, the text read whole (piece 0) or arriving `piece`
// bytes at a time.
std::string transcriptWithLine(std::string_view text, std::size_t piece)
{
    std::size_t given = 0;
    olv::XmlReader xml = piece == 0 ? olv::XmlReader(text) : olv::XmlReader([&](std::size_t count) {
        given = std::min(text.size(), std::max(count, given + piece));
        return olv::XmlArrived { text.substr(0, given), given == text.size(), {} };
    });
    return transcript(xml) + "@" + std::to_string(xml.errorLine());
}

TEST(XmlReader, ReadsWhatWorkbooksAndQuestionFilesHoldAndRefusesWhatIsNotXml)
{
    const std::pair<std::string, std::string> cases[] = {
        // What a file may hold around and inside its root.
        { "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!DOCTYPE a [<!ENTITY x \"y\">]>\n<!-- c --><a>1<!--c-->2</a>\n",
            "<a>[1][2]</a>" },
        { "<x:a p:k='&lt;&#x4E00;&#20108;\t'><b/><![CDATA[<&>\r\n]]>a&amp;b\r\nc\rd</x:a>",
            "<a k=<一二 ><b></b>[<&>\n][a&b\nc\nd]</x:a>" },
        // What makes a file not XML.
        { "", "!没有根元素（文件是空的或不是XML）" },
        { "姓名,考号\n", "!根元素之外有文字" },
        { "<a/><b/>", "<a></a>!根元素之后还有元素" },
        { "<a><b></a>", "<a><b>!结束标记</a>不配对" },
        { "<a><b>", "<a><b>!元素<b>没有结束" },
        { "<a k=\"1\" k='2'/>", "!属性k重复" },
        { "<a k=\"1\"x=\"2\"/>", "!标记<a>的属性不完整" },
        { "<a k=\"<\"/>", "!属性k的值中有不允许的字符" },
        { "<a>&foo;</a>", "<a>!不认识的实体" },
        { "<a>&#0;</a>", "<a>!不认识的实体" },
        { "<a>\x01</a>", "<a>!含有XML不允许的控制字符" },
        { "<1a/>", "!标记没有名字" },
        // Encodings: UTF-16 with and without its mark, a declared one, and bytes that are none.
        { std::string("\xFF\xFE<\0a\0>\0\xE9\0<\0/\0a\0>\0", 18), "<a>[é]</a>" },
        { std::string("\0<\0a\0/\0>", 8), "<a></a>" },
        { "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xE9</a>", "<a>[é]</a>" },
        { "<a>\xE9</a>", "!文字不是 UTF-8 编码" },
        { "<?xml version=\"1.0\" encoding=\"no-such\"?><a/>", "!不支持的编码 no-such" },
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(transcript(text), expected) << text;
        if (!olv::plainlyUtf8(text) || expected.starts_with("!文字"))
            continue;
        // In pieces, every token is cut somewhere and read again whole: the same events, the
        // same error on the same line.
        for (const std::size_t piece : { 1, 2, 5 })
            EXPECT_EQ(transcriptWithLine(text, piece), transcriptWithLine(text, 0))
                << text << " in pieces of " << piece;
    }
}

TEST(XmlReader, ErrorsNameTheirLineAndStayErrors)
{
    olv::XmlReader xml("<a>\n\n<b></c>");
    while (xml.next() != olv::XmlReader::Event::Error) { }
    EXPECT_EQ(xml.errorText(), "第3行: XML格式错误, 结束标记</c>不配对");
    EXPECT_EQ(xml.next(), olv::XmlReader::Event::Error);
}

} // namespace
