#include "datapacket/xml_escape.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora::datapacket {
namespace {

struct EscapeCase {
    const char* name;
    std::string_view text;
    std::string_view escaped;
};

class EscapeTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeTest, ReplacesTheNineCharactersAndCopiesTheRest) {
    std::string out = "x=";  // appended to, not replaced
    AppendEscaped(GetParam().text, out);
    EXPECT_EQ(out, "x=" + std::string(GetParam().escaped));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EscapeTest,
    ::testing::Values(EscapeCase{"Empty", "", ""},
                      EscapeCase{"Plain", "caneta azul", "caneta azul"},
                      EscapeCase{"AllNine", "<>&'\"\r\n\t\\",
                                 "&lt;&gt;&amp;&apos;&quot;&#013;&#010;&#009;&#092;"},
                      EscapeCase{"AtBothEnds", "\"meio\"", "&quot;meio&quot;"},
                      EscapeCase{"HighAndOtherControlBytesStay", "a\xE7\xE3\x01\x1F\x7F\xFF",
                                 "a\xE7\xE3\x01\x1F\x7F\xFF"},
                      EscapeCase{"ReferenceMarkAfterAmpersand",
                                 "&\x01"
                                 "8364;b",
                                 "&#8364;b"},
                      EscapeCase{"ReferenceMarkAlone", "a\x01&b", "a\x01&amp;b"},
                      EscapeCase{"AmpersandAtTheEnd", "R&", "R&amp;"},
                      EscapeCase{"ZeroByteCopied", std::string_view("a\0b", 3),
                                 std::string_view("a\0b", 3)}),
    [](const auto& info) { return std::string(info.param.name); });

// The writer appends the pieces to its buffer: whole runs between references, none empty.
TEST(EscapePiecesTest, RunsBetweenReferencesComeWhole) {
    std::vector<std::string> pieces;
    ForEachEscapedPiece(
        "ab<cd&&\x01"
        "9;",
        [&](std::string_view piece) { pieces.emplace_back(piece); });
    EXPECT_EQ(pieces, (std::vector<std::string>{"ab", "&lt;", "cd", "&amp;", "&#", "9;"}));
}

}  // namespace
}  // namespace velmora::datapacket
