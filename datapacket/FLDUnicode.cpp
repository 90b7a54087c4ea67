#include "datapacket/FLDUnicode.h"

#include "datapacket/binary_values.h"
#include "datapacket/text_numbers.h"

namespace velmora::datapacket {

void FLDUnicode::Write(std::string_view stored, std::string& out) const {
    if (!IsXml()) return AppendPrefixedBytes(out, prefixWidth_, stored);
    for (size_t i = 0; i + 1 < stored.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(stored[i]) |
                                                static_cast<unsigned char>(stored[i + 1]) << 8);
        if (unit < 128 && unit != static_cast<unsigned char>(kReferenceMark)) {
            out += static_cast<char>(unit);
            continue;
        }
        out += '&';
        out += kReferenceMark;
        AppendDecimal(out, unit, 3);
        out += ';';
    }
}

ValueMark FLDUnicode::Read(ByteCursor& in, std::string& stored) const {
    if (!IsXml())
        return ReadPrefixedBytes(in, prefixWidth_, stored) ? ValueMark::Present : ValueMark::Null;
    stored.clear();
    AppendDecodedWideText(in.Rest(), bytes_, stored);
    return blob_ && stored.empty() ? ValueMark::Null : ValueMark::Present;
}

}  // namespace velmora::datapacket
