#include "datapacket/calendar_text.h"

#include "datapacket/text_numbers.h"

namespace velmora::datapacket {
namespace {

int64_t FloorDivide(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Days from 1970-01-01 (after H. Hinnant's civil calendar algorithms).
int64_t DaysFromEpoch(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = FloorDivide(y, 400);
    const int64_t yearOfEra = y - era * 400;
    const int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

const int64_t kEpochOfDayOne = DaysFromEpoch(1, 1, 1);

bool IsLeapYear(int64_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int64_t year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Reads up to `maxDigits` digits at `i`; returns how many.
int ReadDigits(std::string_view text, size_t& i, int maxDigits, int& value) {
    int count = 0;
    value = 0;
    while (count < maxDigits && i < text.size() && IsDigit(text[i])) {
        value = value * 10 + (text[i++] - '0');
        ++count;
    }
    return count;
}

void SkipNonDigits(std::string_view text, size_t& i) {
    while (i < text.size() && !IsDigit(text[i])) ++i;
}

}  // namespace

int64_t DayNumberOf(const CivilDate& date) {
    return DaysFromEpoch(date.year, date.month, date.day) - kEpochOfDayOne + 1;
}

CivilDate CivilDateOf(int64_t dayNumber) {
    const int64_t z = dayNumber - 1 + kEpochOfDayOne + 719468;
    const int64_t era = FloorDivide(z, 146097);
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    CivilDate date;
    date.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    date.year = yearOfEra + era * 400 + (date.month <= 2);
    return date;
}

std::optional<int32_t> ParseDateText(std::string_view text, size_t& end) {
    size_t i = 0;
    int year = 0, month = 0, day = 0;
    const int yearDigits = ReadDigits(text, i, 4, year);
    if (yearDigits != 2 && yearDigits != 4) return std::nullopt;
    SkipNonDigits(text, i);
    if (ReadDigits(text, i, 2, month) < 2) return std::nullopt;
    SkipNonDigits(text, i);
    if (ReadDigits(text, i, 2, day) == 0) return std::nullopt;
    if (year == 0 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return std::nullopt;
    end = i;
    return static_cast<int32_t>(DayNumberOf({year, month, day}));
}

TimeOfDay ParseTimeText(std::string_view text) {
    auto at = [&](size_t position) {
        return position < text.size() ? text.substr(position) : std::string_view();
    };
    const int32_t hour = ParseLong(text);
    const int32_t minute = ParseLong(at(3));
    const std::string_view rest = at(6);
    int64_t milliseconds = 0;
    size_t digits = 0;
    for (; digits < rest.size() && IsDigit(rest[digits]); ++digits) {
        milliseconds = milliseconds * 10 + (rest[digits] - '0');
        if (milliseconds > 59999 * 10LL) break;  // already out of range
    }
    for (; digits < 5; ++digits) milliseconds *= 10;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || milliseconds > 59999) return {};
    return {hour, minute, static_cast<int>(milliseconds)};
}

TimeOfDay TimeOfDayOf(int64_t milliseconds) {
    return {static_cast<int>(milliseconds / 3600000), static_cast<int>(milliseconds / 60000 % 60),
            static_cast<int>(milliseconds % 60000)};
}

void AppendDateText(std::string& out, const CivilDate& date) {
    AppendDecimal(out, date.year, 4);
    AppendDecimal(out, date.month, 2);
    AppendDecimal(out, date.day, 2);
}

void AppendTimeText(std::string& out, const TimeOfDay& time) {
    AppendDecimal(out, time.hour, 2);
    out += ':';
    AppendDecimal(out, time.minute, 2);
    out += ':';
    AppendDecimal(out, time.millisecondsOfMinute, 5);
}

}  // namespace velmora::datapacket
