#pragma once
// Booleans of 1, 2 or 4 bytes, stored as 0 or 1. Text: a first character "T" or "t" is true,
// any other false, an empty text null; written "TRUE" or "FALSE".

#include "datapacket/FLDConv.h"

namespace velmora::datapacket {

class FLDCBool : public FLDConv {
public:
    // REQUIRES: size is 1, 2 or 4.
    FLDCBool(std::string attrName, PacketForm form, uint16_t size)
        : FLDConv(std::move(attrName), form), size_(size) {}

    void Write(std::string_view stored, std::string& out) const override;
    ValueMark Read(ByteCursor& in, std::string& stored) const override;

private:
    uint16_t size_;
};

}  // namespace velmora::datapacket
