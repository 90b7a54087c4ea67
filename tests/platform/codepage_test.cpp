#include "platform/codepage.h"
#include "tests/platform/case_name.h"

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

TEST(CodePage, EveryByteRoundTripsThroughUtf8AndUtf16) {
    for (int b = 0x00; b <= 0xFF; ++b) {
        const std::string ansi(1, static_cast<char>(b));
        EXPECT_EQ(FromUtf8(ToUtf8(ansi)), ansi) << "byte " << b;
        EXPECT_EQ(FromUtf16(ToUtf16(ansi)), ansi) << "byte " << b;
        EXPECT_EQ(ToUtf16(ansi).size(), 1u) << "byte " << b;
    }
}

struct ByteMapping {
    const char* name;
    unsigned char byte;
    char16_t unit;
    const char* utf8;
};

class CodePageMapping : public ::testing::TestWithParam<ByteMapping> {};

TEST_P(CodePageMapping, MapsBothWays) {
    const ByteMapping& m = GetParam();
    const std::string ansi(1, static_cast<char>(m.byte));
    EXPECT_EQ(ToUtf16(ansi), std::u16string(1, m.unit));
    EXPECT_EQ(ToUtf8(ansi), m.utf8);
    EXPECT_EQ(FromUtf8(m.utf8), ansi);
    EXPECT_EQ(FromUtf16(std::u16string(1, m.unit)), ansi);
}

// The five bytes the code page leaves undefined keep their value as C1 control characters,
// so text holding them survives a trip through Unicode unchanged.
INSTANTIATE_TEST_SUITE_P(
    Bytes, CodePageMapping,
    ::testing::Values(ByteMapping{"Ascii", 0x41, u'A', "A"},
                      ByteMapping{"Euro", 0x80, u'\u20AC', "\xE2\x82\xAC"},
                      ByteMapping{"Undefined81", 0x81, u'\u0081', "\xC2\x81"},
                      ByteMapping{"Undefined8D", 0x8D, u'\u008D', "\xC2\x8D"},
                      ByteMapping{"Undefined8F", 0x8F, u'\u008F', "\xC2\x8F"},
                      ByteMapping{"Undefined90", 0x90, u'\u0090', "\xC2\x90"},
                      ByteMapping{"Undefined9D", 0x9D, u'\u009D', "\xC2\x9D"},
                      ByteMapping{"LeftQuote", 0x93, u'\u201C', "\xE2\x80\x9C"},
                      ByteMapping{"YDiaeresis", 0x9F, u'\u0178', "\xC5\xB8"},
                      ByteMapping{"NoBreakSpace", 0xA0, u'\u00A0', "\xC2\xA0"},
                      ByteMapping{"CCedilla", 0xE7, u'\u00E7', "\xC3\xA7"},
                      ByteMapping{"SmallYDiaeresis", 0xFF, u'\u00FF', "\xC3\xBF"}),
    testing::kCaseName);

TEST(CodePage, ConvertsMixedText) {
    EXPECT_EQ(FromUtf8("Descrição — 10 €"), "Descri\xE7\xE3o \x97 10 \x80");
    EXPECT_EQ(ToUtf8("Descri\xE7\xE3o \x97 10 \x80"), "Descrição — 10 €");
    EXPECT_EQ(ToUtf16("a\xE7\x80"), u"a\u00E7\u20AC");
}

struct Unmappable {
    const char* name;
    std::string utf8;
    std::string ansi;
};

class CodePageUnmappableUtf8 : public ::testing::TestWithParam<Unmappable> {};

TEST_P(CodePageUnmappableUtf8, BecomesQuestionMarks) {
    EXPECT_EQ(FromUtf8(GetParam().utf8), GetParam().ansi);
}

INSTANTIATE_TEST_SUITE_P(Text, CodePageUnmappableUtf8,
                         ::testing::Values(Unmappable{"Cjk", "a\xE4\xB8\x80z", "a?z"},
                                           Unmappable{"FourByteCharIsOne", "a\xF0\x9F\x98\x80z",
                                                      "a?z"},
                                           Unmappable{"LoneContinuation", "a\x80z", "a?z"},
                                           Unmappable{"TruncatedAtEnd", "a\xC3", "a?"},
                                           Unmappable{"Overlong", "\xC0\xAF", "??"},
                                           Unmappable{"EncodedSurrogate", "\xED\xA0\x80", "???"},
                                           Unmappable{"Latin1Byte", "a\xE7z", "a?z"}),
                         testing::kCaseName);

TEST(CodePage, Utf16OutsideTheCodePageBecomesQuestionMarks) {
    EXPECT_EQ(FromUtf16(u"a\u4E00z"), "a?z");
    EXPECT_EQ(FromUtf16(u"a\U0001F600z"), "a?z");  // one character, one mark
    EXPECT_EQ(FromUtf16(std::u16string{u'a', char16_t(0xD800), u'z'}), "a?z");
    EXPECT_EQ(FromUtf16(std::u16string{u'a', char16_t(0xDC00)}), "a?");
}

TEST(CodePage, KeepsZeroBytesAndEmptyText) {
    const std::string withZero("a\0\xE7", 3);
    EXPECT_EQ(ToUtf8(withZero), std::string("a\0\xC3\xA7", 4));
    EXPECT_EQ(FromUtf8(std::string("a\0\xC3\xA7", 4)), withZero);
    EXPECT_EQ(ToUtf8(""), "");
    EXPECT_EQ(FromUtf16(u""), "");
}

}  // namespace
}  // namespace velmora::platform
