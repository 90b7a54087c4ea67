#pragma once
// Bytes. FLDBinary: varying bytes and blobs; XML: Base64 (an empty value is null); binary:
// the prefixed bytes. FLDCFixed: bytes of one fixed size; XML: Base64 like FLDBinary;
// binary: the bytes as they are, exactly `size` of them.

#include "datapacket/FLDConv.h"

namespace velmora::datapacket {

class FLDBinary : public FLDConv {
public:
    // REQUIRES: prefixWidth is 1, 2 or 4.
    FLDBinary(std::string attrName, PacketForm form, uint16_t prefixWidth)
        : FLDConv(std::move(attrName), form), prefixWidth_(prefixWidth) {}

    void Write(std::string_view stored, std::string& out) const override;
    ValueMark Read(ByteCursor& in, std::string& stored) const override;

private:
    uint16_t prefixWidth_;
};

class FLDCFixed : public FLDConv {
public:
    FLDCFixed(std::string attrName, PacketForm form, uint16_t size)
        : FLDConv(std::move(attrName), form), size_(size) {}

    void Write(std::string_view stored, std::string& out) const override;
    ValueMark Read(ByteCursor& in, std::string& stored) const override;

private:
    uint16_t size_;
};

}  // namespace velmora::datapacket
