#include "store/like_match.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora::store {
namespace {

struct LikeCase {
    const char* name;
    std::string text;
    std::string pattern;
    bool ignoreCase;
    bool matches;
};

class LikeMatchTest : public ::testing::TestWithParam<LikeCase> {};

TEST_P(LikeMatchTest, Matches) {
    const LocaleTextCollation portuguese(1046);
    const LikeCase& c = GetParam();
    EXPECT_EQ(LikeMatch(c.text, c.pattern, c.ignoreCase ? &portuguese : nullptr), c.matches);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LikeMatchTest,
    ::testing::Values(LikeCase{"equal_text", "CANETA", "CANETA", false, true},
                      LikeCase{"longer_text_no_wildcard", "CANETAS", "CANETA", false, false},
                      LikeCase{"percent_suffix", "CANETA AZUL", "CANETA%", false, true},
                      LikeCase{"percent_matches_empty", "CANETA", "CANETA%", false, true},
                      LikeCase{"percent_inside", "CANETA AZUL", "C%AZUL", false, true},
                      LikeCase{"percent_backtracks", "abcabd", "%abd", false, true},
                      LikeCase{"percent_backtracks_fails", "abcabe", "%abd", false, false},
                      LikeCase{"double_percent_is_one", "xy", "x%%y", false, true},
                      LikeCase{"only_percent_matches_empty", "", "%", false, true},
                      LikeCase{"empty_pattern_needs_empty_text", "a", "", false, false},
                      LikeCase{"underscore_one_character", "LAPIS", "L_PIS", false, true},
                      LikeCase{"underscore_not_empty", "LPIS", "L_PIS", false, false},
                      LikeCase{"underscore_at_end_needs_character", "abc", "abc_", false, false},
                      LikeCase{"escaped_percent", "50% off", "50\\%%", false, true},
                      LikeCase{"escaped_percent_is_literal", "50 off", "50\\%%", false, false},
                      LikeCase{"escaped_underscore", "a_b", "a\\_b", false, true},
                      LikeCase{"escaped_underscore_is_literal", "axb", "a\\_b", false, false},
                      LikeCase{"escaped_backslash", "a\\b", "a\\\\b", false, true},
                      LikeCase{"trailing_backslash_literal", "a\\", "a\\", false, true},
                      LikeCase{"case_counts_by_default", "caneta", "CANETA", false, false},
                      LikeCase{"case_ignored", "caneta azul", "CANETA%", true, true},
                      LikeCase{"accented_case_ignored", "l\xE1pis", "L\xC1PIS", true, true},
                      LikeCase{"accent_still_counts", "lapis", "L\xC1PIS", true, false},
                      LikeCase{"bytes_compared_exactly", "\xE1", "\xC1", false, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::store
