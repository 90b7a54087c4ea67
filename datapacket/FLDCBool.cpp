#include "datapacket/FLDCBool.h"

#include "datapacket/binary_values.h"

namespace velmora::datapacket {

void FLDCBool::Write(std::string_view stored, std::string& out) const {
    if (!IsXml()) return AppendFixedSize(out, stored, size_);
    out += stored.find_first_not_of('\0') != std::string_view::npos ? "TRUE" : "FALSE";
}

ValueMark FLDCBool::Read(ByteCursor& in, std::string& stored) const {
    if (!IsXml()) {
        stored.assign(TakeOrFail(in, size_));
        return ValueMark::Present;
    }
    std::string scratch;
    const std::string_view text = DecodedText(in, scratch);
    if (text.empty()) return ValueMark::Null;
    stored.clear();
    AppendLittleEndian(stored, text[0] == 'T' || text[0] == 't' ? 1 : 0, size_);
    return ValueMark::Present;
}

}  // namespace velmora::datapacket
