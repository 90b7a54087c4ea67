#include "datapacket/FLDCTIMESTAMP.h"

#include <algorithm>
#include <cmath>

#include "datapacket/binary_values.h"
#include "datapacket/calendar_text.h"
#include "datapacket/text_numbers.h"

namespace velmora::datapacket {
namespace {

// Milliseconds far beyond any calendar date; keeps the arithmetic below in range.
constexpr double kMillisecondsLimit = 1e17;

int64_t WholeMilliseconds(double value) {
    if (!std::isfinite(value)) return 0;
    if (std::fabs(value) > kMillisecondsLimit) value = std::copysign(kMillisecondsLimit, value);
    return std::llround(value);
}

// Reads a number from the fixed positions [first, first + count). The text written back has
// no room for a sign there, so a negative number reads as 0.
int32_t NumberAt(std::string_view text, size_t first, size_t count) {
    return first < text.size() ? std::max(0, ParseLong(text.substr(first, count))) : 0;
}

uint16_t FieldBits(std::string_view stored, size_t offset) {
    return static_cast<uint16_t>(UnsignedValueOf(stored.substr(offset, 2)));
}

}  // namespace

void FLDCTIMESTAMP::Write(std::string_view stored, std::string& out) const {
    if (!IsXml()) return AppendFixedSize(out, stored, sizeof(double));
    const int64_t total = WholeMilliseconds(DoubleOf(stored));
    const int64_t day = store::FloorDivide(total, store::kMillisecondsPerDay);
    const int64_t milliseconds = total - day * store::kMillisecondsPerDay;
    AppendDateText(out, store::CivilDateOf(day));
    if (milliseconds == 0) return;
    out += 'T';
    AppendTimeText(out, TimeOfDayOf(milliseconds));
}

ValueMark FLDCTIMESTAMP::Read(ByteCursor& in, std::string& stored) const {
    if (!IsXml()) {
        stored.assign(TakeOrFail(in, sizeof(double)));
        return ValueMark::Present;
    }
    std::string scratch;
    const std::string_view text = DecodedText(in, scratch);
    size_t end = 0;
    const std::optional<int32_t> day = ParseDateText(text, end);
    if (!day) return ValueMark::Null;
    int64_t milliseconds = 0;
    if (end < text.size() && text[end] == 'T')
        milliseconds = ParseTimeText(text.substr(end + 1)).Milliseconds();
    const double value = static_cast<double>(*day * store::kMillisecondsPerDay + milliseconds);
    stored.assign(reinterpret_cast<const char*>(&value), sizeof value);
    return ValueMark::Present;
}

void FLDCSQLTIMESTAMP::Write(std::string_view stored, std::string& out) const {
    if (!IsXml()) return AppendFixedSize(out, stored, kSize);
    std::string record;
    AppendFixedSize(record, stored, kSize);
    AppendDateText(out, {static_cast<int16_t>(FieldBits(record, 0)), FieldBits(record, 2),
                         FieldBits(record, 4)});
    const TimeOfDay time{
        FieldBits(record, 6), FieldBits(record, 8),
        static_cast<int>(FieldBits(record, 10) * 1000 +
                         static_cast<uint32_t>(UnsignedValueOf(record.substr(12, 4))))};
    if (time.hour == 0 && time.minute == 0 && time.millisecondsOfMinute == 0) return;
    out += 'T';
    AppendTimeText(out, time);
}

ValueMark FLDCSQLTIMESTAMP::Read(ByteCursor& in, std::string& stored) const {
    if (!IsXml()) {
        stored.assign(TakeOrFail(in, kSize));
        return ValueMark::Present;
    }
    std::string scratch;
    const std::string_view text = DecodedText(in, scratch);
    if (!HasLeadingDigit(text)) return ValueMark::Null;
    TimeOfDay time;
    if (text.size() > 8 && text[8] == 'T') time = ParseTimeText(text.substr(9));
    stored.clear();
    AppendLittleEndian(stored, static_cast<uint64_t>(NumberAt(text, 0, 4)), 2);
    AppendLittleEndian(stored, static_cast<uint64_t>(NumberAt(text, 4, 2)), 2);
    AppendLittleEndian(stored, static_cast<uint64_t>(NumberAt(text, 6, 2)), 2);
    AppendLittleEndian(stored, static_cast<uint64_t>(time.hour), 2);
    AppendLittleEndian(stored, static_cast<uint64_t>(time.minute), 2);
    AppendLittleEndian(stored, static_cast<uint64_t>(time.millisecondsOfMinute / 1000), 2);
    AppendLittleEndian(stored, static_cast<uint64_t>(time.millisecondsOfMinute % 1000), 4);
    return ValueMark::Present;
}

}  // namespace velmora::datapacket
