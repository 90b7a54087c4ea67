#include "store/expression_temporal.h"

#include <gtest/gtest.h>

namespace velmora::store {
namespace {

TEST(ExpressionTemporalTest, DayNumbersCountFromTheFirstOfJanuaryOfYearOne) {
    EXPECT_EQ(DayNumberOf(CivilDate{1, 1, 1}), 1);
    EXPECT_EQ(DayNumberOf(CivilDate{1899, 12, 30}), 693594);
    EXPECT_EQ(DayNumberOf(CivilDate{2000, 3, 1}) - DayNumberOf(CivilDate{2000, 2, 28}), 2);
    EXPECT_EQ(DayNumberOf(CivilDate{1900, 3, 1}) - DayNumberOf(CivilDate{1900, 2, 28}), 1);
}

TEST(ExpressionTemporalTest, CivilDateIsTheInverseOfTheDayNumber) {
    for (int64_t day : {1, 59, 60, 365, 366, 693594, 739595, 3652059}) {
        const CivilDate date = CivilDateOf(day);
        EXPECT_EQ(DayNumberOf(date), day) << date.year << "-" << date.month << "-" << date.day;
    }
}

struct TemporalCase {
    const char* name;
    const char* text;
    FieldType type;
    std::optional<double> milliseconds;
};

constexpr double kDay = kMillisecondsPerDay;
const double kDec10 = static_cast<double>(DayNumberOf(CivilDate{2026, 12, 10})) * kDay;

class ReadTemporalTest : public ::testing::TestWithParam<TemporalCase> {};

TEST_P(ReadTemporalTest, Reads) {
    EXPECT_EQ(ReadTemporal(GetParam().text, GetParam().type), GetParam().milliseconds);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadTemporalTest,
    ::testing::Values(TemporalCase{"iso_date", "2026-12-10", ftDate, kDec10},
                      TemporalCase{"brazilian_date", " 10/12/2026 ", ftDate, kDec10},
                      TemporalCase{"date_drops_time", "10/12/2026 13:30", ftDate, kDec10},
                      TemporalCase{"date_time", "2026-12-10 13:30:15.250", ftDateTime,
                                   kDec10 + 48615250.0},
                      TemporalCase{"date_time_without_time", "2026-12-10", ftDateTime, kDec10},
                      TemporalCase{"time", "08:05", ftTime, 29100000.0},
                      TemporalCase{"time_refuses_date", "2026-12-10", ftTime, std::nullopt},
                      TemporalCase{"no_such_day", "2026-02-29", ftDate, std::nullopt},
                      TemporalCase{"leap_day", "29/02/2024", ftDate,
                                   static_cast<double>(DayNumberOf(CivilDate{2024, 2, 29})) * kDay},
                      TemporalCase{"no_such_hour", "24:00", ftTime, std::nullopt},
                      TemporalCase{"text_after_date", "2026-12-10x", ftDate, std::nullopt},
                      TemporalCase{"not_a_date", "amanh\xE3", ftDate, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::store
