#include "datapacket/FLDCInt.h"

#include "datapacket/binary_values.h"
#include "datapacket/text_numbers.h"

namespace velmora::datapacket {

void FLDCInteger::Write(std::string_view stored, std::string& out) const {
    if (!IsXml()) return AppendFixedSize(out, stored, size_);
    AppendDecimal(out, SignedValueOf(stored.substr(0, size_)));
}

ValueMark FLDCInteger::Read(ByteCursor& in, std::string& stored) const {
    if (!IsXml()) {
        stored.assign(TakeOrFail(in, size_));
        return ValueMark::Present;
    }
    std::string scratch;
    const std::string_view text = DecodedText(in, scratch);
    if (!HasLeadingDigit(text)) return ValueMark::Null;
    const int64_t value = size_ == 8 ? ParseLong64(text) : ParseLong(text);
    stored.clear();
    AppendLittleEndian(stored, static_cast<uint64_t>(value), size_);
    return ValueMark::Present;
}

}  // namespace velmora::datapacket
