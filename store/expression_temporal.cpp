#include "store/expression_temporal.h"

#include <charconv>
#include <cmath>
#include <ctime>

namespace velmora::store {
namespace {

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
    int year = 0, month = 0, day = 0;
    size_t at = pos;
    const bool iso = Digits(text, at, 4, year) && Expect(text, at, '-') &&
                     Digits(text, at, 2, month) && Expect(text, at, '-') &&
                     Digits(text, at, 2, day);
    if (!iso) {
        at = pos;
        if (!(Digits(text, at, 0, day) && Expect(text, at, '/') && Digits(text, at, 0, month) &&
              Expect(text, at, '/') && Digits(text, at, 4, year)))
            return std::nullopt;
    }
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return std::nullopt;
    pos = at;
    return DayNumberOf(CivilDate{year, month, day});
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
