#include "datapacket/FLDCDATE.h"

#include "datapacket/binary_values.h"
#include "datapacket/calendar_text.h"
#include "datapacket/text_numbers.h"

namespace velmora::datapacket {
namespace {

constexpr size_t kSize = 4;

ValueMark ReadFourBytes(ByteCursor& in, std::string& stored) {
    stored.assign(TakeOrFail(in, kSize));
    return ValueMark::Present;
}

void StoreFourBytes(int64_t value, std::string& stored) {
    stored.clear();
    AppendLittleEndian(stored, static_cast<uint64_t>(value), kSize);
}

}  // namespace

void FLDCDATE::Write(std::string_view stored, std::string& out) const {
    if (!IsXml()) return AppendFixedSize(out, stored, kSize);
    AppendDateText(out, store::CivilDateOf(SignedValueOf(stored.substr(0, kSize))));
}

ValueMark FLDCDATE::Read(ByteCursor& in, std::string& stored) const {
    if (!IsXml()) return ReadFourBytes(in, stored);
    std::string scratch;
    size_t end = 0;
    const std::optional<int32_t> day = ParseDateText(DecodedText(in, scratch), end);
    if (!day) return ValueMark::Null;
    StoreFourBytes(*day, stored);
    return ValueMark::Present;
}

void FLDCTIME::Write(std::string_view stored, std::string& out) const {
    if (!IsXml()) return AppendFixedSize(out, stored, kSize);
    AppendTimeText(out, TimeOfDayOf(SignedValueOf(stored.substr(0, kSize))));
}

ValueMark FLDCTIME::Read(ByteCursor& in, std::string& stored) const {
    if (!IsXml()) return ReadFourBytes(in, stored);
    std::string scratch;
    const std::string_view text = DecodedText(in, scratch);
    if (!HasLeadingDigit(text)) return ValueMark::Null;
    StoreFourBytes(ParseTimeText(text).Milliseconds(), stored);
    return ValueMark::Present;
}

}  // namespace velmora::datapacket
