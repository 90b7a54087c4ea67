#pragma once
// UTF-16 text ("string.uni", wide text blobs), stored as little-endian units. XML: the text
// with its entities decoded, a numeric reference giving one whole unit; a wide blob is null
// when empty. Written with units below 128 as themselves and every other unit as a numeric
// reference in at least three digits, whose "&#" is given as "&" followed by byte 1 for the
// escaping of the writer to turn into "&#" (so unit 1 is written as a reference too, and a
// byte 1 after "&" never stands for itself). Binary: the prefixed bytes.

#include "datapacket/FLDConv.h"
#include "datapacket/entities.h"

namespace velmora::datapacket {

// Stands for "#" right after "&" in the text that the writer escapes.
inline constexpr char kReferenceMark = '\x01';

class FLDUnicode : public FLDConv {
public:
    // REQUIRES: prefixWidth is 1, 2 or 4. `bytes` tells how plain bytes of the (8-bit)
    // document become units.
    FLDUnicode(std::string attrName, PacketForm form, uint16_t prefixWidth, bool blob,
               WideBytes bytes = WideBytes::Latin1)
        : FLDConv(std::move(attrName), form),
          prefixWidth_(prefixWidth),
          blob_(blob),
          bytes_(bytes) {}

    void Write(std::string_view stored, std::string& out) const override;
    bool MarksReferences() const override { return IsXml(); }
    ValueMark Read(ByteCursor& in, std::string& stored) const override;

private:
    uint16_t prefixWidth_;
    bool blob_;
    WideBytes bytes_;
};

}  // namespace velmora::datapacket
