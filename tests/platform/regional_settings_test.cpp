#include "platform/regional_settings.h"

#include <gtest/gtest.h>

#include "platform/locale_environment.h"
#include "tests/platform/case_name.h"
#include "tests/platform/scoped_environment.h"

namespace velmora::platform {
namespace {

using testing::ScopedEnvironment;

struct EnvironmentCase {
    const char* name;
    const char* lcAll;  // null: unset
    const char* lcNumeric;
    const char* lang;
    NumberSeparators separators;
};

class SeparatorsFromEnvironment : public ::testing::TestWithParam<EnvironmentCase> {};

TEST_P(SeparatorsFromEnvironment, FollowTheLocaleOfNumbers) {
    const EnvironmentCase& c = GetParam();
    ScopedEnvironment lcAll("LC_ALL", c.lcAll);
    ScopedEnvironment lcNumeric("LC_NUMERIC", c.lcNumeric);
    ScopedEnvironment lang("LANG", c.lang);
    EXPECT_EQ(SeparatorsOfLocale(LocaleFromEnvironment("LC_NUMERIC")), c.separators);
}

constexpr NumberSeparators kDefault{'.', ','};
constexpr NumberSeparators kBrazil{',', '.'};

INSTANTIATE_TEST_SUITE_P(
    Settings, SeparatorsFromEnvironment,
    ::testing::Values(
        EnvironmentCase{"LangBrazil", nullptr, nullptr, "pt_BR.UTF-8", kBrazil},
        EnvironmentCase{"LangUnitedStates", nullptr, nullptr, "en_US.UTF-8", kDefault},
        EnvironmentCase{"LangC", nullptr, nullptr, "C", kDefault},
        EnvironmentCase{"LangPosix", nullptr, nullptr, "POSIX", kDefault},
        EnvironmentCase{"NothingSet", nullptr, nullptr, nullptr, kDefault},
        EnvironmentCase{"NumericBeforeLang", nullptr, "pt_BR.UTF-8", "en_US.UTF-8", kBrazil},
        EnvironmentCase{"NumericCBeforeLang", nullptr, "C", "pt_BR.UTF-8", kDefault},
        EnvironmentCase{"EmptyNumericSkipped", nullptr, "", "pt_BR.UTF-8", kBrazil},
        EnvironmentCase{"AllBeforeNumeric", "en_US.UTF-8", "pt_BR.UTF-8", nullptr, kDefault},
        EnvironmentCase{"Modifier", nullptr, nullptr, "de_DE@euro", kBrazil},
        EnvironmentCase{"FrenchNoBreakSpace", nullptr, nullptr, "fr_FR.UTF-8", {',', '\xA0'}},
        EnvironmentCase{"SwissApostrophe", nullptr, nullptr, "de_CH.UTF-8", {'.', '\x92'}},
        EnvironmentCase{"SymbolsOutsideCodePage", nullptr, nullptr, "ar_SA.UTF-8", kDefault}),
    testing::kCaseName);

TEST(ScopedSeparators, OverridesAndRestoresInNestedOrder) {
    const NumberSeparators original = CurrentSeparators();
    {
        ScopedSeparators brazil(kBrazil);
        EXPECT_EQ(DecimalSeparator(), ',');
        EXPECT_EQ(ThousandSeparator(), '.');
        {
            ScopedSeparators swiss({'.', '\x92'});
            EXPECT_EQ(CurrentSeparators(), (NumberSeparators{'.', '\x92'}));
        }
        EXPECT_EQ(CurrentSeparators(), kBrazil);
    }
    EXPECT_EQ(CurrentSeparators(), original);
}

}  // namespace
}  // namespace velmora::platform
