// Day numbers and the calendar rules that dates in files and in expressions share.
#include <gtest/gtest.h>

#include <vector>

#include "store/calendar.h"

namespace velmora::store {
namespace {

TEST(Calendar, FloorDivideRoundsTowardMinusInfinity) {
    EXPECT_EQ(FloorDivide(7, 2), 3);
    EXPECT_EQ(FloorDivide(-7, 2), -4);
    EXPECT_EQ(FloorDivide(-8, 2), -4);
    EXPECT_EQ(FloorDivide(7, -2), -4);
    EXPECT_EQ(FloorDivide(-1, kMillisecondsPerDay), -1);  // a moment before day 0 lies in day -1
}

TEST(Calendar, FebruaryHasALeapDayByTheGregorianRule) {
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 12), 31);
}

// Binary files may hold dates before year 1; they count back through the leap year 0.
TEST(Calendar, DaysBeforeYearOneCountBackwards) {
    const auto ymd = [](int64_t day) {
        const CivilDate date = CivilDateOf(day);
        return std::vector<int64_t>{date.year, date.month, date.day};
    };
    EXPECT_EQ(ymd(0), (std::vector<int64_t>{0, 12, 31}));
    EXPECT_EQ(ymd(-365), (std::vector<int64_t>{0, 1, 1}));
    EXPECT_EQ(ymd(-366), (std::vector<int64_t>{-1, 12, 31}));
    for (int64_t day : {-1, -306, -307, -146097, -800000})
        EXPECT_EQ(DayNumberOf(CivilDateOf(day)), day) << day;
}

}  // namespace
}  // namespace velmora::store
