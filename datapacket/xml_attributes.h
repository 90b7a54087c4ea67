#pragma once
// The attribute list of a start tag (or of the XML declaration): pairs name="value". Bytes
// up to 32 before a name are skipped; the name runs to "=" (blanks before "=" dropped);
// after "=" blanks are skipped and the value must start with a double quote and runs to the
// next one. The first pair not in this form ends the list: it and every later pair are left
// out. Names and values are views of the tag's bytes, values with entities not decoded.

#include <cstring>
#include <string_view>
#include <vector>

namespace velmora::datapacket {

struct XmlAttribute {
    std::string_view name;
    std::string_view value;
};

// Calls found(name, value) for each attribute of `list` in document order. Runs once per
// row of a document, so names (short) are scanned byte by byte and values with memchr.
template <typename Found>
void ForEachAttribute(std::string_view list, Found&& found) {
    auto atMostSpace = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    const char* const end = list.data() + list.size();
    const char* p = list.data();
    while (true) {
        while (p < end && atMostSpace(*p)) ++p;
        const char* const name = p;
        while (p < end && *p != '=') ++p;
        if (p == end) return;
        const char* nameEnd = p;
        while (nameEnd > name && atMostSpace(nameEnd[-1])) --nameEnd;
        if (nameEnd == name) return;
        ++p;
        while (p < end && atMostSpace(*p)) ++p;
        if (p == end || *p != '"') return;
        const char* const value = ++p;
        const void* closing = std::memchr(value, '"', static_cast<size_t>(end - value));
        if (!closing) return;
        p = static_cast<const char*>(closing);
        found(std::string_view(name, static_cast<size_t>(nameEnd - name)),
              std::string_view(value, static_cast<size_t>(p - value)));
        ++p;
    }
}

// Replaces the content of `out` with the attributes of `list` in document order.
void ParseAttributes(std::string_view list, std::vector<XmlAttribute>& out);

// The first attribute named exactly `name`, or nullptr.
const XmlAttribute* FindAttribute(const std::vector<XmlAttribute>& attributes,
                                  std::string_view name);

// Bytes 1 to 32 are the document's whitespace.
inline bool IsXmlSpace(int c) {
    return c >= 1 && c <= 32;
}

}  // namespace velmora::datapacket
