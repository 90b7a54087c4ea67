#include "datapacket/xml_attributes.h"

namespace velmora::datapacket {
namespace {

bool AtMostSpace(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

void ParseAttributes(std::string_view list, std::vector<XmlAttribute>& out) {
    out.clear();
    size_t i = 0;
    while (true) {
        while (i < list.size() && AtMostSpace(list[i])) ++i;
        const size_t equals = list.find('=', i);
        if (equals == std::string_view::npos) return;
        size_t nameEnd = equals;
        while (nameEnd > i && AtMostSpace(list[nameEnd - 1])) --nameEnd;
        if (nameEnd == i) return;
        size_t quote = equals + 1;
        while (quote < list.size() && AtMostSpace(list[quote])) ++quote;
        if (quote == list.size() || list[quote] != '"') return;
        const size_t closing = list.find('"', quote + 1);
        if (closing == std::string_view::npos) return;
        out.push_back({list.substr(i, nameEnd - i), list.substr(quote + 1, closing - quote - 1)});
        i = closing + 1;
    }
}

const XmlAttribute* FindAttribute(const std::vector<XmlAttribute>& attributes,
                                  std::string_view name) {
    for (const XmlAttribute& attribute : attributes)
        if (attribute.name == name) return &attribute;
    return nullptr;
}

}  // namespace velmora::datapacket
