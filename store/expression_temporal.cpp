#include "store/expression_temporal.h"

#include <charconv>
#include <cmath>
#include <ctime>

namespace velmora::store {
namespace {

// Days from 0001-01-01 (day 1) after the civil-from-days method counted from 0000-03-01.
constexpr int64_t kEpochShift = 305;

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// Reads `count` digits at pos (count 0: one or more) into out.
bool Digits(std::string_view text, size_t& pos, int count, int& out) {
    size_t end = pos;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9' &&
           (count == 0 || end - pos < static_cast<size_t>(count)))
        ++end;
    if (end == pos || (count > 0 && end - pos != static_cast<size_t>(count)) || end - pos > 9)
        return false;
    std::from_chars(text.data() + pos, text.data() + end, out);
    pos = end;
    return true;
}

bool Expect(std::string_view text, size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

std::optional<int64_t> ReadDate(std::string_view text, size_t& pos) {
    CivilDate date;
    size_t at = pos;
    const bool iso = Digits(text, at, 4, date.year) && Expect(text, at, '-') &&
                     Digits(text, at, 2, date.month) && Expect(text, at, '-') &&
                     Digits(text, at, 2, date.day);
    if (!iso) {
        at = pos;
        if (!(Digits(text, at, 0, date.day) && Expect(text, at, '/') &&
              Digits(text, at, 0, date.month) && Expect(text, at, '/') &&
              Digits(text, at, 4, date.year)))
            return std::nullopt;
    }
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > DaysInMonth(date.year, date.month))
        return std::nullopt;
    pos = at;
    return DayNumberOf(date);
}

std::optional<double> ReadTime(std::string_view text, size_t& pos) {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    if (!Digits(text, pos, 0, hour) || !Expect(text, pos, ':') || !Digits(text, pos, 2, minute))
        return std::nullopt;
    if (Expect(text, pos, ':')) {
        if (!Digits(text, pos, 2, second)) return std::nullopt;
        if (Expect(text, pos, '.') && !Digits(text, pos, 3, millisecond)) return std::nullopt;
    }
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return ((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

std::optional<double> ReadDateTime(std::string_view text, bool keepTime) {
    size_t pos = 0;
    const std::optional<int64_t> day = ReadDate(text, pos);
    if (!day) return std::nullopt;
    double value = static_cast<double>(*day) * kMillisecondsPerDay;
    if (pos == text.size()) return value;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    const std::optional<double> time = ReadTime(text, pos);
    if (!time || pos != text.size()) return std::nullopt;
    return keepTime ? value + *time : value;
}

}  // namespace

int64_t DayNumberOf(CivilDate date) {
    const int64_t year = date.month <= 2 ? date.year - 1 : date.year;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t month = date.month;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + date.day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - kEpochShift;
}

CivilDate CivilDateOf(int64_t dayNumber) {
    const int64_t z = dayNumber + kEpochShift;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return CivilDate{year, month, day};
}

std::optional<double> ReadTemporal(std::string_view text, FieldType type) {
    text = Trimmed(text);
    if (type != ftTime) return ReadDateTime(text, type != ftDate);
    size_t pos = 0;
    const std::optional<double> time = ReadTime(text, pos);
    if (!time || pos != text.size()) return std::nullopt;
    return time;
}

double CurrentDateTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const int64_t day =
        DayNumberOf(CivilDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
    return static_cast<double>(day) * kMillisecondsPerDay +
           ((local.tm_hour * 60.0 + local.tm_min) * 60.0 + local.tm_sec) * 1000.0;
}

}  // namespace velmora::store
