#include "datapacket/calendar_text.h"

#include "datapacket/text_numbers.h"

namespace velmora::datapacket {
namespace {

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

std::optional<int32_t> ParseDateText(std::string_view text, size_t& end) {
    size_t i = 0;
    int year = 0, month = 0, day = 0;
    const int yearDigits = ReadDigits(text, i, 4, year);
    if (yearDigits != 2 && yearDigits != 4) return std::nullopt;
    SkipNonDigits(text, i);
    if (ReadDigits(text, i, 2, month) < 2) return std::nullopt;
    SkipNonDigits(text, i);
    if (ReadDigits(text, i, 2, day) == 0) return std::nullopt;
    if (year == 0 || month < 1 || month > 12 || day < 1 || day > store::DaysInMonth(year, month))
        return std::nullopt;
    end = i;
    return static_cast<int32_t>(store::DayNumberOf({year, month, day}));
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

void AppendDateText(std::string& out, const store::CivilDate& date) {
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
