#include "platform/app_title.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "tests/platform/case_name.h"

namespace velmora::platform {
namespace {

struct TitleCase {
    const char* name;
    const char* path;
    std::string title;
};

class AppTitleFromPathTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(AppTitleFromPathTest, KeepsFirstLetterAndLowersTheRest) {
    EXPECT_EQ(AppTitleFromPath(GetParam().path), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, AppTitleFromPathTest,
    ::testing::Values(TitleCase{"CapitalsWithExtension", "/opt/x/VELMORA.EXE", "Velmora"},
                      TitleCase{"MixedCase", "VeLmOrA.exe", "Velmora"},
                      TitleCase{"FirstLetterKeptSmall", "/usr/bin/velmora", "velmora"},
                      TitleCase{"CutAtFirstDot", "/a.b/Velmora.tar.gz", "Velmora"},
                      TitleCase{"DigitsAndSigns", "/bin/V2-APP_X", "V2-app_x"},
                      TitleCase{"AccentedCapitals", "/bin/PREGÃO", FromUtf8("Pregão")},
                      TitleCase{"AccentedFirstLetterKept", "ÉDITO", FromUtf8("Édito")},
                      TitleCase{"DotFile", "/bin/.hidden", ""},
                      TitleCase{"FolderOnly", "/bin/", ""}, TitleCase{"Empty", "", ""}),
    testing::kCaseName);

TEST(AppTitle, NamesTheRunningExecutable) {
    EXPECT_EQ(AppTitle(), "platform_tests");
}

}  // namespace
}  // namespace velmora::platform
