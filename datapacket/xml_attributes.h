#pragma once
// The attribute list of a start tag (or of the XML declaration): pairs name="value". Bytes
// up to 32 before a name are skipped; the name runs to "=" (blanks before "=" dropped);
// after "=" blanks are skipped and the value must start with a double quote and runs to the
// next one. The first pair not in this form ends the list: it and every later pair are left
// out. Names and values are views of the tag's bytes, values with entities not decoded.

#include <string_view>
#include <vector>

namespace velmora::datapacket {

struct XmlAttribute {
    std::string_view name;
    std::string_view value;
};

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
