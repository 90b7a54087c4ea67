#include "datapacket/FLDCRepeat.h"

#include "datapacket/binary_values.h"
#include "datapacket/packet_codes.h"
#include "datapacket/text_numbers.h"
#include "platform/errors.h"

namespace velmora::datapacket {

void FLDCRepeat::Write(std::string_view stored, std::string& out) const {
    const size_t count = stored.size() / elementSize_;
    if (!IsXml()) AppendLittleEndian(out, count, 4);
    for (size_t i = 0; i < count; ++i) {
        if (IsXml() && i > 0) out += ' ';
        element_->Write(stored.substr(i * elementSize_, elementSize_), out);
    }
}

ValueMark FLDCRepeat::Read(ByteCursor& in, std::string& stored) const {
    stored.clear();
    if (IsXml()) {
        std::string scratch;
        ReadText(DecodedText(in, scratch), stored);
        return ValueMark::Present;
    }
    const int32_t count = TakeLittleEndianOrFail<int32_t>(in);
    if (count < 0 || static_cast<uint64_t>(count) * elementSize_ > in.Remaining())
        throw EStoreError(kCodeMalformedPacket);
    std::string element;
    for (int32_t i = 0; i < count; ++i) {
        if (element_->Read(in, element) == ValueMark::Present)
            AppendFixedSize(stored, element, elementSize_);
        else
            stored.append(elementSize_, '\0');
    }
    return ValueMark::Present;
}

void FLDCRepeat::ReadText(std::string_view text, std::string& stored) const {
    size_t i = 0;
    while (true) {
        while (i < text.size() && text[i] == ' ') ++i;
        if (i == text.size()) return;
        const size_t end = text.find(' ', i);
        const std::string_view number =
            text.substr(i, end == std::string_view::npos ? end : end - i);
        AppendLittleEndian(stored, static_cast<uint64_t>(ParseLong(number)), elementSize_);
        if (end == std::string_view::npos) return;
        i = end;
    }
}

}  // namespace velmora::datapacket
