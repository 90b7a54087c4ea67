#include "platform/collation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "tests/platform/case_name.h"

namespace velmora::platform {
namespace {

constexpr uint32_t kBrazil = 1046;

int Sign(int order) {
    return (order > 0) - (order < 0);
}

TEST(Collation, SortsPortugueseWordsWithAccentsAndCase) {
    std::vector<std::string> words;
    for (const char* word :
         {"azul", "Zebra", "éden", "ação", "Eva", "açúcar", "abacaxi", "Ação", "zebra", "acento"})
        words.push_back(FromUtf8(word));
    std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return CompareText(a, b, kBrazil, false) < 0;
    });
    std::vector<std::string> expected;
    for (const char* word :
         {"abacaxi", "ação", "Ação", "acento", "açúcar", "azul", "éden", "Eva", "zebra", "Zebra"})
        expected.push_back(FromUtf8(word));
    EXPECT_EQ(words, expected);
}

struct CompareCase {
    const char* name;
    const char* a;  // UTF-8 here, compared in the code page
    const char* b;
    uint32_t lcid;
    bool ignoreCase;
    int sign;
};

class CompareTextTest : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareTextTest, OrdersAsTheLocaleDoes) {
    const CompareCase& c = GetParam();
    EXPECT_EQ(Sign(CompareText(FromUtf8(c.a), FromUtf8(c.b), c.lcid, c.ignoreCase)), c.sign);
    EXPECT_EQ(Sign(CompareText(FromUtf8(c.b), FromUtf8(c.a), c.lcid, c.ignoreCase)), -c.sign);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, CompareTextTest,
    ::testing::Values(CompareCase{"CaseIgnored", "MARCA", "marca", kBrazil, true, 0},
                      CompareCase{"SmallBeforeCapital", "marca", "MARCA", kBrazil, false, -1},
                      CompareCase{"AccentKeptWhenCaseIgnored", "acao", "AÇÃO", kBrazil, true, -1},
                      CompareCase{"AccentedAfterPlain", "ação", "abacaxi", kBrazil, false, 1},
                      CompareCase{"AccentedBeforeLaterLetter", "ação", "azul", kBrazil, false, -1},
                      CompareCase{"NotByteOrder", "a", "B", kBrazil, false, -1},
                      CompareCase{"CapitalAccentNotByteOrder", "Élan", "Ezra", kBrazil, false, -1},
                      CompareCase{"Equal", "preço", "preço", kBrazil, false, 0},
                      CompareCase{"EmptyFirst", "", "a", kBrazil, false, -1},
                      CompareCase{"GermanUmlautAsO", "ö", "z", 1031, false, -1},
                      CompareCase{"SwedishUmlautAfterZ", "ö", "z", 1053, false, 1},
                      CompareCase{"SpanishTraditionalCh", "chico", "cuna", 1034, false, 1},
                      CompareCase{"SpanishModernCh", "chico", "cuna", 3082, false, -1}),
    testing::kCaseName);

TEST(Collation, TextEndsAtItsFirstZeroByte) {
    EXPECT_EQ(CompareText(std::string("abc\0zzz", 7), "abc", kBrazil, false), 0);
    EXPECT_LT(CompareText(std::string("abc\0zzz", 7), "abd", kBrazil, false), 0);
}

TEST(Collation, UnknownLocaleComparesAsTheDefault) {
    for (auto [a, b] : {std::pair{"a", "B"}, std::pair{"ö", "z"}, std::pair{"MARCA", "marca"}}) {
        EXPECT_EQ(Sign(CompareText(FromUtf8(a), FromUtf8(b), 54321, false)),
                  Sign(CompareText(FromUtf8(a), FromUtf8(b), 0, false)))
            << a << " " << b;
    }
}

struct KnownCase {
    uint32_t lcid;
    bool known;
    const char* icuLocale;
};

class LocaleIdTest : public ::testing::TestWithParam<KnownCase> {};

TEST_P(LocaleIdTest, KnownIdsNameTheirLocale) {
    EXPECT_EQ(IsKnownLocale(GetParam().lcid), GetParam().known);
    EXPECT_EQ(IcuLocaleOf(GetParam().lcid), GetParam().icuLocale);
}

INSTANTIATE_TEST_SUITE_P(
    Ids, LocaleIdTest,
    ::testing::Values(KnownCase{1046, true, "pt_BR"}, KnownCase{1033, true, "en_US"},
                      KnownCase{2070, true, "pt_PT"}, KnownCase{3082, true, "es_ES"},
                      KnownCase{1034, true, "es_ES@collation=traditional"},
                      KnownCase{1036, true, "fr_FR"}, KnownCase{1031, true, "de_DE"},
                      KnownCase{2057, true, "en_GB"}, KnownCase{1040, true, "it_IT"},
                      KnownCase{0, true, ""}, KnownCase{1024, true, ""}, KnownCase{2048, true, ""},
                      KnownCase{1047, false, ""}, KnownCase{54321, false, ""}),
    [](const auto& info) { return "Lcid" + std::to_string(info.param.lcid); });

}  // namespace
}  // namespace velmora::platform
