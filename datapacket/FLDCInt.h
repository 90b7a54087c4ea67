#pragma once
// Signed and unsigned integers of 1, 2, 4 and 8 bytes. Text: as atol reads it (32-bit, and
// 64-bit for 8 bytes), null when a letter comes before the first digit or there is none; the
// low bytes of the number are kept, so the signed text of an unsigned value ("-56" for a
// 1-byte 200) reads back into the same bytes. Written as the signed decimal of the bytes.

#include "datapacket/FLDConv.h"

namespace velmora::datapacket {

class FLDCInteger : public FLDConv {
public:
    // REQUIRES: size is 1, 2, 4 or 8.
    FLDCInteger(std::string attrName, PacketForm form, uint16_t size)
        : FLDConv(std::move(attrName), form), size_(size) {}

    void Write(std::string_view stored, std::string& out) const override;
    ValueMark Read(ByteCursor& in, std::string& stored) const override;

private:
    uint16_t size_;
};

class FLDCInt8 : public FLDCInteger {
public:
    FLDCInt8(std::string attrName, PacketForm form) : FLDCInteger(std::move(attrName), form, 1) {}
};
class FLDCInt16 : public FLDCInteger {
public:
    FLDCInt16(std::string attrName, PacketForm form) : FLDCInteger(std::move(attrName), form, 2) {}
};
class FLDCInt32 : public FLDCInteger {
public:
    FLDCInt32(std::string attrName, PacketForm form) : FLDCInteger(std::move(attrName), form, 4) {}
};
class FLDCInt64 : public FLDCInteger {
public:
    FLDCInt64(std::string attrName, PacketForm form) : FLDCInteger(std::move(attrName), form, 8) {}
};

}  // namespace velmora::datapacket
