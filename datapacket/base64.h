#pragma once
// Base64 with the alphabet A-Z a-z 0-9 + / and "=" padding, as bytes columns travel in XML.

#include <string>
#include <string_view>

namespace velmora::datapacket {

// One unbroken run with padding, no line breaks.
void AppendBase64(std::string_view bytes, std::string& out);

// Appends the decoded bytes. Characters outside the alphabet (line breaks, blanks, a leading
// "=") are skipped wherever they stand; a "=" in the third or fourth place of a group ends
// the group with one or two bytes; a group cut off by the end gives the bytes it completes.
void AppendDecodedBase64(std::string_view text, std::string& out);

}  // namespace velmora::datapacket
