#include "datapacket/FLDCFloat.h"

#include "datapacket/binary_values.h"
#include "datapacket/text_numbers.h"

namespace velmora::datapacket {

void FLDCFloat::Write(std::string_view stored, std::string& out) const {
    if (!IsXml()) return AppendFixedSize(out, stored, sizeof(double));
    AppendDouble(out, DoubleOf(stored));
}

ValueMark FLDCFloat::Read(ByteCursor& in, std::string& stored) const {
    if (!IsXml()) {
        stored.assign(TakeOrFail(in, sizeof(double)));
        return ValueMark::Present;
    }
    std::string scratch;
    const std::string_view text = DecodedText(in, scratch);
    if (!HasLeadingDigit(text)) return ValueMark::Null;
    const std::optional<double> value = ParseDouble(text);
    if (!value) return ValueMark::Null;
    stored.assign(reinterpret_cast<const char*>(&*value), sizeof(double));
    return ValueMark::Present;
}

void FLDCFloatIEEE::Write(std::string_view stored, std::string& out) const {
    if (!IsXml()) AppendFixedSize(out, stored, kSize);
}

ValueMark FLDCFloatIEEE::Read(ByteCursor& in, std::string& stored) const {
    if (IsXml()) return ValueMark::Null;
    stored.assign(TakeOrFail(in, kSize));
    return ValueMark::Present;
}

}  // namespace velmora::datapacket
