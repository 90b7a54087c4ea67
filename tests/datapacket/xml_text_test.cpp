#include "datapacket/xml_text.h"

#include <gtest/gtest.h>

#include "datapacket/packet_codes.h"
#include "platform/errors.h"

namespace velmora::datapacket {
namespace {

struct Utf8Case {
    const char* name;
    std::string_view bytes;
    bool wellFormed;
};

class RestrictedUtf8Test : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(RestrictedUtf8Test, AcceptsOneToThreeByteSequencesOnly) {
    EXPECT_EQ(IsRestrictedUtf8(GetParam().bytes), GetParam().wellFormed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RestrictedUtf8Test,
    ::testing::Values(
        Utf8Case{"Ascii", "plain text that is longer than a word", true},
        Utf8Case{"TwoBytes", "Pre\xC3\xA7o", true}, Utf8Case{"ThreeBytes", "\xE2\x82\xAC", true},
        Utf8Case{"E0NeedsA0", "\xE0\x9F\x80", false}, Utf8Case{"E0WithA0", "\xE0\xA0\x80", true},
        Utf8Case{"OverlongC1", "\xC1\x81", false}, Utf8Case{"FourBytes", "\xF0\x9F\x98\x80", false},
        Utf8Case{"LoneContinuation", "a\x80", false}, Utf8Case{"CutOff", "ab\xE2\x82", false},
        Utf8Case{"Latin1Byte", "Pre\xE7o", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf8ToCodePageTest, SequencesBecomeCodePageCharactersAndOtherBytesSpaces) {
    EXPECT_EQ(Utf8ToCodePage("Pre\xC3\xA7o \xE2\x82\xAC"), "Pre\xE7o \x80");
    EXPECT_EQ(Utf8ToCodePage("a\xF0\x9F\x98\x80z"), "a    z");
    EXPECT_EQ(Utf8ToCodePage("cut\xC3"), "cut ");
    // No code page character: the replacement character.
    EXPECT_EQ(Utf8ToCodePage("\xE4\xB8\xAD"), "?");
}

TEST(Utf8ToCodePageTest, LongTextIsConvertedWhole) {
    std::string utf8;
    for (int i = 0; i < 100000; ++i) utf8 += "\xC3\xA9";
    EXPECT_EQ(Utf8ToCodePage(utf8), std::string(100000, '\xE9'));
}

struct DocumentCase {
    const char* name;
    std::string_view bytes;
    std::string_view text;
    bool utf8;
};

class XmlTextTest : public ::testing::TestWithParam<DocumentCase> {};

TEST_P(XmlTextTest, DecidesTheEncoding) {
    const XmlText text(GetParam().bytes);
    EXPECT_EQ(text.Text(), GetParam().text);
    EXPECT_EQ(text.WasUtf8(), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlTextTest,
    ::testing::Values(
        DocumentCase{"NoDeclaration", "<a v=\"\xC3\xA7\"/>", "<a v=\"\xC3\xA7\"/>", false},
        DocumentCase{"DeclaredAndValid",
                     "<?xml version=\"1.0\" encoding=\"utf-8\"?><a v=\"\xC3\xA7\"/>",
                     "<?xml version=\"1.0\" encoding=\"utf-8\"?><a v=\"\xE7\"/>", true},
        DocumentCase{"DeclaredButInvalid", "<?xml encoding=\"UTF-8\"?><a v=\"\xE7\"/>",
                     "<?xml encoding=\"UTF-8\"?><a v=\"\xE7\"/>", false},
        DocumentCase{"ByteOrderMarkWithoutCheck", "\xEF\xBB\xBF<a v=\"\xC3\xA7\xE7\"/>",
                     "<a v=\"\xE7 \"/>", true},
        DocumentCase{"SingleQuotedEncodingIsNotExamined",
                     "<?xml encoding='UTF-8'?><a v=\"\xC3\xA7\"/>",
                     "<?xml encoding='UTF-8'?><a v=\"\xC3\xA7\"/>", false},
        DocumentCase{"OtherEncoding", "<?xml encoding=\"ISO-8859-1\"?><a v=\"\xC3\xA7\"/>",
                     "<?xml encoding=\"ISO-8859-1\"?><a v=\"\xC3\xA7\"/>", false},
        DocumentCase{"LeadingWhitespace", " \r\n<a/>", " \r\n<a/>", false}),
    [](const auto& info) { return std::string(info.param.name); });

class XmlTextFailureTest : public ::testing::TestWithParam<std::string_view> {};

TEST_P(XmlTextFailureTest, IsNotADatapacket) {
    try {
        XmlText text(GetParam());
        FAIL() << "accepted";
    } catch (const EStoreError& error) {
        EXPECT_EQ(error.Code(), kCodeMalformedPacket);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, XmlTextFailureTest,
                         ::testing::Values("", "  ", "x<a/>", std::string_view("\0<a/>", 5),
                                           "<?xml version=\"1.0\"",
                                           std::string_view("<?xml \0?><a/>", 13)));

}  // namespace
}  // namespace velmora::datapacket
