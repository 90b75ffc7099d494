// A part unpacked on its own thread: the reader gets whole UTF-8 characters however the bytes
// arrive, stops before bytes that are not UTF-8, and learns when the part was damaged.
#include "admin/sheets/UnpackingPart.h"

#include "admin/xml/XmlEncoding.h"
#include "common/Utf8Check.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace olv {
namespace {

TEST(UnpackingPart, HandsOnWholeCharactersUpToTheFirstBadByteAndTellsDamage)
{
    const std::string text = "<t>一二😀é</t>";
    const struct
    {
        std::string bytes; // what the archive unpacks
        std::size_t stated; // the size the archive states
        std::string arrived; // the checked text that arrives in the end
        std::string_view failure;
        bool whole;
    } cases[] = {
        { text, text.size(), text, "", true }, { "<t>一\xE9二</t>", 14, "<t>一", notUtf8Text, true },
        // Shorter than stated: its last character might have gone on.
        { text.substr(0, 9), text.size(), "<t>一", "文件损坏", false },
        { text, text.size() - 1, text.substr(0, text.size() - 1), "文件损坏", false }, // longer than stated
    };
    for (const auto& c : cases)
        for (const std::size_t piece : { 1, 2, 3, 5 }) {
            SCOPED_TRACE(c.bytes + " in pieces of " + std::to_string(piece));
            std::size_t at = 0;
            UnpackingPart part(c.stated, [&](char* into, std::size_t most) {
                const std::size_t count = std::min({ most, piece, c.bytes.size() - at });
                std::copy_n(c.bytes.data() + at, count, into);
                at += count;
                return static_cast<std::int64_t>(count);
            });
            // Asking past the stated size waits for the end, as the reader does at a cut token.
            XmlArrived arrived { {}, false, {} };
            for (std::size_t count = 1; !arrived.complete; ++count) {
                arrived = part.arrived(count);
                EXPECT_EQ(firstBadUtf8(arrived.text), std::string_view::npos);
            }
            EXPECT_EQ(arrived.text, c.arrived);
            EXPECT_EQ(arrived.failure, c.failure);
            EXPECT_EQ(part.unpackedWhole(), c.whole);
        }
}

} // namespace
} // namespace olv
