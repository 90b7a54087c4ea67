#include "datapacket/FLDCVar.h"

#include "datapacket/binary_values.h"
#include "datapacket/entities.h"

namespace velmora::datapacket {
namespace {

bool EndsInZero(std::string_view value) {
    return !value.empty() && value.back() == '\0';
}

void DropOneTrailingZero(std::string& value) {
    if (EndsInZero(value)) value.pop_back();
}

}  // namespace

bool TakesClosingZero(std::string_view stored) {
    return stored.empty() || EndsInZero(stored);
}

bool FLDCVar::WritesStoredBytes(std::string_view stored) const {
    return IsXml() && !(kind_.blob && EndsInZero(stored));
}

void FLDCVar::Write(std::string_view stored, std::string& out) const {
    if (IsXml()) {
        out.append(stored);
        // The reader drops one closing zero byte of a text blob.
        if (kind_.blob && EndsInZero(stored)) out += '\0';
    } else if (TakesClosingZero(stored)) {
        AppendPrefixedBytes(out, prefixWidth_, std::string(stored) + '\0');
    } else {
        AppendPrefixedBytes(out, prefixWidth_, stored);
    }
}

ValueMark FLDCVar::Read(ByteCursor& in, std::string& stored) const {
    if (!IsXml()) {
        if (!ReadPrefixedBytes(in, prefixWidth_, stored)) return ValueMark::Null;
        DropOneTrailingZero(stored);
        return ValueMark::Present;
    }
    const std::string_view text = in.Rest();
    if (text.find('&') == std::string_view::npos) {
        stored.assign(text);
    } else {
        stored.clear();
        AppendDecodedText(text, stored);
    }
    if (kind_.blob) {
        DropOneTrailingZero(stored);
        if (stored.empty()) return ValueMark::Null;
    }
    if (kind_.width > 0 && stored.size() > kind_.width) stored.resize(kind_.width);
    return ValueMark::Present;
}

}  // namespace velmora::datapacket
