#include "datapacket/FLDNested.h"

#include "datapacket/binary_values.h"
#include "datapacket/packet_codes.h"
#include "platform/errors.h"

namespace velmora::datapacket {

void FLDNested::Write(std::string_view stored, std::string& out) const {
    if (!IsXml()) AppendFixedSize(out, stored, 4);
}

ValueMark FLDNested::Read(ByteCursor& in, std::string& stored) const {
    stored.clear();
    if (IsXml()) return ValueMark::Null;
    const int32_t count = TakeLittleEndianOrFail<int32_t>(in);
    if (count < 0) throw EStoreError(kCodeMalformedPacket);
    AppendLittleEndian(stored, static_cast<uint32_t>(count), 4);
    return count > 0 ? ValueMark::Present : ValueMark::Null;
}

}  // namespace velmora::datapacket
