#include "datapacket/xml_attributes.h"

namespace velmora::datapacket {

void ParseAttributes(std::string_view list, std::vector<XmlAttribute>& out) {
    out.clear();
    ForEachAttribute(list, [&](std::string_view name, std::string_view value) {
        out.push_back({name, value});
    });
}

const XmlAttribute* FindAttribute(const std::vector<XmlAttribute>& attributes,
                                  std::string_view name) {
    for (const XmlAttribute& attribute : attributes)
        if (attribute.name == name) return &attribute;
    return nullptr;
}

}  // namespace velmora::datapacket
