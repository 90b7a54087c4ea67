#pragma once
// The character level of an XML datapacket: from the file's bytes to the 8-bit text in the
// code page that the tokenizer reads.
//
// A leading EF BB BF marks a UTF-8 document. Otherwise a declaration (a leading "<?" up to
// the first "?>") whose pseudo-attribute "encoding" is "UTF-8" (both without regard to case)
// makes the document UTF-8 only when the whole buffer passes IsRestrictedUtf8; every other
// document is 8-bit text as it stands. Raises EStoreError(kCodeMalformedPacket) when the
// first byte after leading whitespace is not "<", or the declaration has no "?>" or a zero
// byte before it.

#include <string>
#include <string_view>

namespace velmora::datapacket {

class XmlText {
public:
    // REQUIRES: buffer outlives this object.
    explicit XmlText(std::string_view buffer);
    XmlText(const XmlText&) = delete;
    XmlText& operator=(const XmlText&) = delete;

    // The 8-bit document, the byte-order mark left out.
    std::string_view Text() const { return text_; }
    // The document was UTF-8 and has been converted.
    bool WasUtf8() const { return wasUtf8_; }

private:
    std::string converted_;
    std::string_view text_;
    bool wasUtf8_ = false;
};

// Well-formed UTF-8 of one- to three-byte sequences: 00-7F; C2-DF 80-BF; E0 A0-BF 80-BF;
// E1-EF 80-BF 80-BF. Any other byte from 80 up fails.
bool IsRestrictedUtf8(std::string_view bytes);

// Each valid two- or three-byte sequence (as above) becomes one UTF-16 unit, any other byte
// from 80 up (and a sequence cut off by the end) a space, and the units go to the code page,
// what it cannot hold becoming its replacement character.
std::string Utf8ToCodePage(std::string_view bytes);

}  // namespace velmora::datapacket
