#include "store/number_settings.h"

#include <gtest/gtest.h>

namespace velmora::store {
namespace {

TEST(NumberSettings, FollowTheSeparatorsInForce) {
    const platform::ScopedSeparators brazil(platform::NumberSeparators{',', '.'});
    EXPECT_EQ(CurrentNumberSettings(), (NumberSettings{',', '.'}));
    {
        const platform::ScopedSeparators swiss(platform::NumberSeparators{'.', '\''});
        EXPECT_EQ(CurrentNumberSettings(), (NumberSettings{'.', '\''}));
    }
    EXPECT_EQ(CurrentNumberSettings(), (NumberSettings{',', '.'}));
}

}  // namespace
}  // namespace velmora::store
