#include "datapacket/xml_escape.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora::datapacket {
namespace {

struct EscapeCase {
    const char* name;
    std::string_view text;
    std::string_view escaped;
    MarkedReferences marked = MarkedReferences::No;
};

class EscapeTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeTest, ReplacesTheNineCharactersAndCopiesTheRest) {
    std::string out = "x=";  // appended to, not replaced
    AppendEscaped(GetParam().text, GetParam().marked, out);
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
                                 "&#8364;b", MarkedReferences::Yes},
                      // Unmarked (8-bit) text keeps every byte: the "&" is its own.
                      EscapeCase{"ReferenceMarkInUnmarkedText",
                                 "&\x01"
                                 "E13;",
                                 "&amp;\x01"
                                 "E13;"},
                      EscapeCase{"ReferenceMarkAlone", "a\x01&b", "a\x01&amp;b"},
                      EscapeCase{"AmpersandAtTheEnd", "R&", "R&amp;"},
                      EscapeCase{"ZeroByteCopied", std::string_view("a\0b", 3),
                                 std::string_view("a\0b", 3)}),
    [](const auto& info) { return std::string(info.param.name); });

// Sixteen bytes are scanned at once and the rest one by one: every escaped byte must be found
// at every place of a block and of the tail, next to plain bytes of all other values.
TEST(EscapeTest, FindsEachEscapedByteAtEveryPosition) {
    const std::string_view escaped[][2] = {{"&", "&amp;"},   {"<", "&lt;"},    {">", "&gt;"},
                                           {"'", "&apos;"},  {"\"", "&quot;"}, {"\r", "&#013;"},
                                           {"\n", "&#010;"}, {"\t", "&#009;"}, {"\\", "&#092;"}};
    // Every byte but the nine and the reference mark (which would join a preceding "&").
    std::string plain;
    for (int c = 0; c < 256; ++c)
        if (std::string_view("&<>'\"\r\n\t\\\x01").find(static_cast<char>(c)) ==
            std::string_view::npos)
            plain += static_cast<char>(c);
    const std::string filler = plain.substr(200) + plain.substr(0, 13);  // high bytes and controls
    for (const auto& [byte, reference] : escaped) {
        for (size_t at = 0; at <= filler.size(); ++at) {
            const std::string text = filler.substr(0, at) + std::string(byte) + filler.substr(at);
            std::string out;
            AppendEscaped(text, MarkedReferences::No, out);
            EXPECT_EQ(out, filler.substr(0, at) + std::string(reference) + filler.substr(at))
                << "byte " << static_cast<int>(byte[0]) << " at " << at;
        }
    }
    std::string out;
    AppendEscaped(plain + plain, MarkedReferences::No, out);
    EXPECT_EQ(out, plain + plain);
}

// The writer appends the pieces to its buffer: whole runs between references, none empty.
TEST(EscapePiecesTest, RunsBetweenReferencesComeWhole) {
    std::vector<std::string> pieces;
    ForEachEscapedPiece(
        "ab<cd&&\x01"
        "9;",
        MarkedReferences::Yes, [&](std::string_view piece) { pieces.emplace_back(piece); });
    EXPECT_EQ(pieces, (std::vector<std::string>{"ab", "&lt;", "cd", "&amp;", "&#", "9;"}));
}

}  // namespace
}  // namespace velmora::datapacket
