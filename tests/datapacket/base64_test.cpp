#include "datapacket/base64.h"

#include <gtest/gtest.h>

namespace velmora::datapacket {
namespace {

struct Base64Case {
    std::string_view bytes;
    std::string_view text;
};

class Base64Test : public ::testing::TestWithParam<Base64Case> {};

TEST_P(Base64Test, EncodesAndDecodes) {
    std::string text, bytes;
    AppendBase64(GetParam().bytes, text);
    EXPECT_EQ(text, GetParam().text);
    AppendDecodedBase64(text, bytes);
    EXPECT_EQ(bytes, GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Cases, Base64Test,
                         ::testing::Values(Base64Case{"", ""}, Base64Case{"f", "Zg=="},
                                           Base64Case{"fo", "Zm8="}, Base64Case{"foo", "Zm9v"},
                                           Base64Case{"foobar", "Zm9vYmFy"},
                                           Base64Case{std::string_view("\0\xFF\xFE", 3), "AP/+"}));

TEST(Base64Test, DecodingSkipsLineBreaksAndLeadingPadding) {
    const std::string bytes(200, 'x');
    std::string text;
    AppendBase64(bytes, text);
    std::string broken = "=\r\n";
    for (size_t i = 0; i < text.size(); i += 76) broken += text.substr(i, 76) + "\r\n";
    std::string decoded;
    AppendDecodedBase64(broken, decoded);
    EXPECT_EQ(decoded, bytes);
}

TEST(Base64Test, PaddingEndsAGroupAndDecodingGoesOn) {
    std::string decoded;
    AppendDecodedBase64("Zg==Zm8=Zm9v", decoded);
    EXPECT_EQ(decoded, "ffofoo");
}

TEST(Base64Test, AGroupCutOffByTheEndGivesTheBytesItCompletes) {
    std::string decoded;
    AppendDecodedBase64("Zm9vYm", decoded);
    EXPECT_EQ(decoded, "foob");
}

}  // namespace
}  // namespace velmora::datapacket
