#include "datapacket/entities.h"

#include <gtest/gtest.h>

#include "packet_test_util.h"

namespace velmora::datapacket {
namespace {

using testing::StoredWide;

struct EntityCase {
    const char* name;
    std::string_view text;
    std::string_view decoded;
};

class DecodeTextTest : public ::testing::TestWithParam<EntityCase> {};

TEST_P(DecodeTextTest, DecodesEightBitText) {
    std::string out;
    AppendDecodedText(GetParam().text, out);
    EXPECT_EQ(out, GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeTextTest,
    ::testing::Values(
        EntityCase{"Named", "&lt;a&gt; &amp; &quot;b&quot; &apos;c&apos;", "<a> & \"b\" 'c'"},
        EntityCase{"DecimalReference", "caf&#233;", "caf\xE9"},
        EntityCase{"LowEightBitsOfTheNumber", "&#8364;", "\xAC"},
        EntityCase{"HexReferenceEitherCase", "&#xE9;&#XeA;", "\xE9\xEA"},
        EntityCase{"ControlReferences", "a&#013;&#010;&#009;&#092;b", "a\r\n\t\\b"},
        EntityCase{"OtherLetterStaysLiteral", "R&D &x", "R&D &x"},
        // Only the leading letters count: "&gx;y" is ">" followed by "y".
        EntityCase{"OnlyLeadingLettersAreLookedAt", "&gx;y&lqq;z", ">y<;z"},
        EntityCase{"ReferenceWithoutSemicolonIsLiteral", "&#65 x", "&#65 x"},
        EntityCase{"CutOffAtTheEnd", "a&am", "a&"},
        // The number ends at its first non-digit; the reference at the next ";".
        EntityCase{"OtherBytesBeforeTheSemicolon", "&#65x;b&#x4g1;c",
                   "Ab\x04"
                   "c"},
        EntityCase{"ReferenceWithoutDigits", "&#;a&#x;b", std::string_view("\0a\0b", 4)},
        EntityCase{"SemicolonInALaterReference", "&#65 &#66;", "A"},
        EntityCase{"HighBytesCopied", "\xE7\xE3", "\xE7\xE3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DecodeWideTextTest, ReferencesGiveWholeUnitsAndBytesTheirLatin1Unit) {
    std::string out;
    AppendDecodedWideText("a&#8364;&lt;\xE9\x80", WideBytes::Latin1, out);
    EXPECT_EQ(out, StoredWide(u"a\u20AC<\u00E9\u0080"));
}

TEST(DecodeWideTextTest, CodePageBytesGiveTheirCharacter) {
    std::string out;
    AppendDecodedWideText("\x80\xE9&#65;", WideBytes::CodePage, out);
    EXPECT_EQ(out, StoredWide(u"\u20AC\u00E9A"));
}

}  // namespace
}  // namespace velmora::datapacket
