#pragma once
// Escaping of attribute values in a written XML datapacket.

#include <string>
#include <string_view>

namespace velmora::datapacket {

// Appends `text` with "<", ">", "&", apostrophe, double quote, carriage return, line feed,
// tab and backslash replaced by their references ("&lt;" ... "&#092;"); every other byte is
// copied. An "&" followed by the reference mark (byte 1, see FLDUnicode.h) becomes "&#": that
// is how wide-text converters write their numeric references.
void AppendEscaped(std::string_view text, std::string& out);

}  // namespace velmora::datapacket
