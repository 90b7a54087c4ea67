#include "datapacket/xml_text.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "datapacket/field_types.h"
#include "datapacket/packet_codes.h"
#include "datapacket/xml_attributes.h"
#include "platform/codepage.h"
#include "platform/errors.h"

namespace velmora::datapacket {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Units converted to the code page at once; large files are converted piece by piece.
constexpr size_t kUnitChunk = 1 << 16;

// Length of the valid sequence at i (1 for ASCII), or 0 when none starts there.
size_t SequenceLength(std::string_view bytes, size_t i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) return 1;
    auto continues = [&](size_t k, unsigned char low, unsigned char high) {
        if (i + k >= bytes.size()) return false;
        const auto c = static_cast<unsigned char>(bytes[i + k]);
        return c >= low && c <= high;
    };
    if (lead >= 0xC2 && lead <= 0xDF) return continues(1, 0x80, 0xBF) ? 2 : 0;
    if (lead == 0xE0) return continues(1, 0xA0, 0xBF) && continues(2, 0x80, 0xBF) ? 3 : 0;
    if (lead >= 0xE1 && lead <= 0xEF)
        return continues(1, 0x80, 0xBF) && continues(2, 0x80, 0xBF) ? 3 : 0;
    return 0;
}

char16_t UnitOf(std::string_view bytes, size_t i, size_t length) {
    const auto b = [&](size_t k) {
        return static_cast<char16_t>(static_cast<unsigned char>(bytes[i + k]));
    };
    if (length == 2) return static_cast<char16_t>((b(0) & 0x1F) << 6 | (b(1) & 0x3F));
    return static_cast<char16_t>((b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F));
}

// Length of the run of bytes below 80 that starts at i.
size_t AsciiRun(std::string_view bytes, size_t i) {
    const size_t start = i;
    constexpr uint64_t kHighBits = 0x8080808080808080ULL;
    while (i + 8 <= bytes.size()) {
        uint64_t word;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        if (word & kHighBits) break;
        i += 8;
    }
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
    return i - start;
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// True when the declaration that `text` starts with names the UTF-8 encoding.
bool DeclaresUtf8(std::string_view declaration) {
    size_t nameEnd = 2;
    while (nameEnd < declaration.size() && !IsXmlSpace(declaration[nameEnd]) &&
           declaration[nameEnd] != '?')
        ++nameEnd;
    std::vector<XmlAttribute> pseudo;
    ParseAttributes(declaration.substr(nameEnd), pseudo);
    for (const XmlAttribute& attribute : pseudo)
        if (SameName(attribute.name, "encoding")) return SameName(attribute.value, "UTF-8");
    return false;
}

// The declaration at the start of `text` (from "<?" up to "?>"), or an empty view when the
// text does not start with one.
std::string_view Declaration(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsXmlSpace(text[i])) ++i;
    if (i == text.size() || text[i] != '<') throw EStoreError(kCodeMalformedPacket);
    if (i + 1 >= text.size() || text[i + 1] != '?') return {};
    const size_t end = text.find("?>", i + 2);
    if (end == std::string_view::npos ||
        text.substr(i, end - i).find('\0') != std::string_view::npos)
        throw EStoreError(kCodeMalformedPacket);
    return text.substr(i, end - i);
}

}  // namespace

bool IsRestrictedUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        i += AsciiRun(bytes, i);
        if (i == bytes.size()) break;
        const size_t length = SequenceLength(bytes, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string Utf8ToCodePage(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::u16string units;
    auto flush = [&] {
        out += platform::FromUtf16(units);
        units.clear();
    };
    for (size_t i = 0; i < bytes.size();) {
        const size_t run = AsciiRun(bytes, i);
        if (run > 0) {
            if (!units.empty()) flush();
            out.append(bytes.substr(i, run));
            i += run;
            continue;
        }
        const size_t length = SequenceLength(bytes, i);
        units += length == 0 ? u' ' : UnitOf(bytes, i, length);
        i += length == 0 ? 1 : length;
        if (units.size() >= kUnitChunk && !IsHighSurrogate(units.back())) flush();
    }
    if (!units.empty()) flush();
    return out;
}

XmlText::XmlText(std::string_view buffer) {
    const bool marked = buffer.substr(0, kByteOrderMark.size()) == kByteOrderMark;
    if (marked) buffer.remove_prefix(kByteOrderMark.size());
    const std::string_view declaration = Declaration(buffer);
    wasUtf8_ =
        marked || (!declaration.empty() && DeclaresUtf8(declaration) && IsRestrictedUtf8(buffer));
    if (!wasUtf8_ || AsciiRun(buffer, 0) == buffer.size()) {
        text_ = buffer;
        return;
    }
    converted_ = Utf8ToCodePage(buffer);
    text_ = converted_;
}

}  // namespace velmora::datapacket
