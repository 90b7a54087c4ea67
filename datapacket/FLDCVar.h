#pragma once
// Varying 8-bit text with a length prefix of 1, 2 or 4 bytes. XML: the text with its
// entities decoded; a "string" value is cut to its width, a text blob loses one trailing zero
// byte and is null when empty, so a text blob that ends in a zero byte is written with one
// more. Binary: the prefixed bytes; one trailing zero byte is dropped when read, so an empty
// text, or one that ends in a zero byte, is written with one more.

#include "datapacket/FLDConv.h"

namespace velmora::datapacket {

struct TextColumn {
    bool blob = false;   // a text blob: an empty value is null
    uint16_t width = 0;  // a longer XML value is cut to this many bytes; 0: not cut
};

// Whether the binary form writes a text with one more zero byte after it: the reader drops one
// closing zero byte, so an empty text, or one that ends in a zero byte, needs another.
bool TakesClosingZero(std::string_view stored);

class FLDCVar : public FLDConv {
public:
    // REQUIRES: prefixWidth is 1, 2 or 4.
    FLDCVar(std::string attrName, PacketForm form, uint16_t prefixWidth, TextColumn kind)
        : FLDConv(std::move(attrName), form), prefixWidth_(prefixWidth), kind_(kind) {}

    void Write(std::string_view stored, std::string& out) const override;
    bool WritesStoredBytes(std::string_view stored) const override;
    ValueMark Read(ByteCursor& in, std::string& stored) const override;

private:
    uint16_t prefixWidth_;
    TextColumn kind_;
};

class FLDCVar8 : public FLDCVar {
public:
    FLDCVar8(std::string attrName, PacketForm form, TextColumn kind)
        : FLDCVar(std::move(attrName), form, 1, kind) {}
};
class FLDCVar16 : public FLDCVar {
public:
    FLDCVar16(std::string attrName, PacketForm form, TextColumn kind)
        : FLDCVar(std::move(attrName), form, 2, kind) {}
};
class FLDCVar32 : public FLDCVar {
public:
    FLDCVar32(std::string attrName, PacketForm form, TextColumn kind)
        : FLDCVar(std::move(attrName), form, 4, kind) {}
};

}  // namespace velmora::datapacket
