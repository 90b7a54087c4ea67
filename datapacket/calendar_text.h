#pragma once
// Dates and times in the text forms of a datapacket. Dates are day numbers (store/calendar.h);
// a time of day is held in milliseconds.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/calendar.h"

namespace velmora::datapacket {

// A date: the first digits (up to 4) are the year, then 2 for the month, then 1 or 2 for the
// day; non-digits between the parts are skipped. nullopt when the year has 1 or 3 digits or
// none, the month fewer than 2, the day none, or the parts name no existing day (month 0 or
// above 12, day 0 or beyond the month, year 0). `end` receives the position after the day.
std::optional<int32_t> ParseDateText(std::string_view text, size_t& end);

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int millisecondsOfMinute = 0;  // seconds * 1000 + thousandths

    int64_t Milliseconds() const { return (hour * 60LL + minute) * 60000 + millisecondsOfMinute; }
};

// A time: hour = the number at position 0, minute = the number at position 3, then the
// digits from position 6 up to the first non-digit, padded on the right with zeros to 5
// digits, are the milliseconds of the minute. Out of range parts (negative, hour above 23,
// minute above 59, milliseconds above 59999) give 00:00:00.
TimeOfDay ParseTimeText(std::string_view text);
TimeOfDay TimeOfDayOf(int64_t milliseconds);

// "%04d%02d%02d".
void AppendDateText(std::string& out, const store::CivilDate& date);
// "%02d:%02d:%05d" with hour, minute and milliseconds of the minute.
void AppendTimeText(std::string& out, const TimeOfDay& time);

}  // namespace velmora::datapacket
