#include "datapacket/FLDConv.h"

#include "datapacket/entities.h"

namespace velmora::datapacket {

std::string_view FLDConv::DecodedText(const ByteCursor& in, std::string& scratch) {
    const std::string_view text = in.Rest();
    if (text.find('&') == std::string_view::npos) return text;
    scratch.clear();
    AppendDecodedText(text, scratch);
    return scratch;
}

}  // namespace velmora::datapacket
