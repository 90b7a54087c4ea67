#pragma once
// Day numbers of the proleptic Gregorian calendar, with 0001-01-01 as day 1: the stored form of
// a date, and the day part of a stored date-time counted in milliseconds from day 0.

#include <cstdint>

namespace velmora::store {

inline constexpr int64_t kMillisecondsPerDay = 86400000;

struct CivilDate {
    int64_t year = 1;
    int month = 1;
    int day = 1;
};

// a / b rounded toward minus infinity, as splitting a moment into day and time of day needs.
// REQUIRES: b != 0.
int64_t FloorDivide(int64_t a, int64_t b);

bool IsLeapYear(int64_t year);
// REQUIRES: month 1-12.
int DaysInMonth(int64_t year, int month);

// REQUIRES: month 1-12; the day may lie beyond the month (it counts on into the next).
int64_t DayNumberOf(const CivilDate& date);
CivilDate CivilDateOf(int64_t dayNumber);

}  // namespace velmora::store
