#pragma once
// The character references of attribute values, as a datapacket decodes them. Besides "&#N;"
// and "&#xN;" only the first one or two letters of a named entity are looked at:
//   "&ap…" apostrophe (6 bytes consumed), "&a…" "&" (5), "&g…" ">" (4), "&l…" "<" (4),
//   "&q…" double quote (6); "&" before anything else, or a numeric reference without ";",
//   stays a literal "&". Consumption never runs past the end of the value.

#include <string>
#include <string_view>

namespace velmora::datapacket {

// Appends the 8-bit text: a numeric reference gives the low 8 bits of its number, every
// other byte is copied.
void AppendDecodedText(std::string_view text, std::string& out);

// How the bytes of a value that are not part of a reference become UTF-16 units.
enum class WideBytes {
    Latin1,    // byte b is unit b (U+0080-U+00FF for bytes 80-FF)
    CodePage,  // byte b is the code page's character for b
};

// Appends the text as UTF-16 little-endian units (the stored form of wide text): a numeric
// reference gives the low 16 bits of its number.
void AppendDecodedWideText(std::string_view text, WideBytes bytes, std::string& out);

// Appends one UTF-16 unit in little-endian order.
inline void AppendUnit(std::string& out, char16_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

}  // namespace velmora::datapacket
