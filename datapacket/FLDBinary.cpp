#include "datapacket/FLDBinary.h"

#include "datapacket/base64.h"
#include "datapacket/binary_values.h"

namespace velmora::datapacket {
namespace {

ValueMark ReadBase64(const ByteCursor& in, std::string& stored) {
    stored.clear();
    AppendDecodedBase64(in.Rest(), stored);
    return stored.empty() ? ValueMark::Null : ValueMark::Present;
}

}  // namespace

void FLDBinary::Write(std::string_view stored, std::string& out) const {
    if (IsXml())
        AppendBase64(stored, out);
    else
        AppendPrefixedBytes(out, prefixWidth_, stored);
}

ValueMark FLDBinary::Read(ByteCursor& in, std::string& stored) const {
    if (IsXml()) return ReadBase64(in, stored);
    return ReadPrefixedBytes(in, prefixWidth_, stored) ? ValueMark::Present : ValueMark::Null;
}

void FLDCFixed::Write(std::string_view stored, std::string& out) const {
    if (IsXml())
        AppendBase64(stored, out);
    else
        AppendFixedSize(out, stored, size_);
}

ValueMark FLDCFixed::Read(ByteCursor& in, std::string& stored) const {
    if (IsXml()) return ReadBase64(in, stored);
    stored.assign(TakeOrFail(in, size_));
    return ValueMark::Present;
}

}  // namespace velmora::datapacket
