#pragma once
// Reals. FLDCFloat: the 8-byte IEEE double; text in strtod's syntax with "." (null when a
// letter comes before the first digit, there is no digit, or the number is too large for a
// double), written as "%.16g" writes it. FLDCFloatIEEE: the 10-byte extended real, which
// has no text form: in XML it reads null and writes nothing.

#include "datapacket/FLDConv.h"

namespace velmora::datapacket {

class FLDCFloat : public FLDConv {
public:
    using FLDConv::FLDConv;
    void Write(std::string_view stored, std::string& out) const override;
    ValueMark Read(ByteCursor& in, std::string& stored) const override;
};

class FLDCFloatIEEE : public FLDConv {
public:
    static constexpr uint16_t kSize = 10;
    using FLDConv::FLDConv;
    void Write(std::string_view stored, std::string& out) const override;
    ValueMark Read(ByteCursor& in, std::string& stored) const override;
};

}  // namespace velmora::datapacket
