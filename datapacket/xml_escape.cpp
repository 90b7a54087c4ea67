#include "datapacket/xml_escape.h"

#include "datapacket/FLDUnicode.h"

namespace velmora::datapacket {

namespace {

// The reference of a byte that may not stand as it is, or nullptr.
const char* ReferenceOf(char c) {
    switch (c) {
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '&':
            return "&amp;";
        case '\'':
            return "&apos;";
        case '"':
            return "&quot;";
        case '\r':
            return "&#013;";
        case '\n':
            return "&#010;";
        case '\t':
            return "&#009;";
        case '\\':
            return "&#092;";
        default:
            return nullptr;
    }
}

}  // namespace

// Windows-1252 has no lead bytes, so every byte is a character of its own here.
void AppendEscaped(std::string_view text, std::string& out) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '&' && i + 1 < text.size() && text[i + 1] == kReferenceMark) {
            out += "&#";
            ++i;
        } else if (const char* reference = ReferenceOf(c)) {
            out += reference;
        } else {
            out += c;
        }
    }
}

}  // namespace velmora::datapacket
