#include "platform/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trevalon {
namespace {

std::vector<std::string> lines(std::string_view text) {
    std::vector<std::string> out;
    LineReader reader(text);
    for (std::string_view line; reader.next(line);) out.emplace_back(line);
    return out;
}

// LF, CR LF and CR alone end a line alike; an end at the very end starts no further line.
TEST(Text, LinesEndAtLfCrLfOrCr) {
    using L = std::vector<std::string>;
    EXPECT_EQ(lines(""), L{});
    EXPECT_EQ(lines("a"), L{"a"});
    EXPECT_EQ(lines("a\n"), L{"a"});
    EXPECT_EQ(lines("a\r\nb\rc\nd"), (L{"a", "b", "c", "d"}));
    EXPECT_EQ(lines("\n\r\r\n\n\r"), (L{"", "", "", "", ""}));
    EXPECT_EQ(lines("a\r\r\nb\n\n"), (L{"a", "", "b", ""}));
}

// A long item is cut after its first characters, never inside a UTF-8 character, and its length said.
TEST(Text, AQuotedItemStaysShort) {
    EXPECT_EQ(citazione("701,1,1"), "\"701,1,1\"");
    EXPECT_EQ(citazione(std::string(kMaxCitazione, 'x')), "\"" + std::string(kMaxCitazione, 'x') + "\"");
    EXPECT_EQ(citazione(std::string(1048576, '1')),
              "\"" + std::string(kMaxCitazione, '1') + "...\" (1048576 characters)");
    const std::string accented = std::string(kMaxCitazione - 1, 'a') + "\xC3\xA8" + "bbb";
    EXPECT_EQ(citazione(accented), "\"" + std::string(kMaxCitazione - 1, 'a') + "...\" (84 characters)");
    EXPECT_EQ(findNoCase("name object=1", "OBJECT="), 5u);
    EXPECT_EQ(findNoCase("objec", "OBJECT="), std::string_view::npos);
}

}  // namespace
}  // namespace trevalon
