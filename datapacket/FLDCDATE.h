#pragma once
// Dates and times of day, each stored as a 4-byte integer (binary: the same 4 bytes).
// FLDCDATE: the day number (1 = 0001-01-01); text "YYYYMMDD", read as ParseDateText reads it.
// FLDCTIME: milliseconds of the day; text "HH:MM:SSmmm" (the last five digits are the
// milliseconds of the minute), read as ParseTimeText reads it, null as for integers.

#include "datapacket/FLDConv.h"

namespace velmora::datapacket {

class FLDCDATE : public FLDConv {
public:
    using FLDConv::FLDConv;
    void Write(std::string_view stored, std::string& out) const override;
    ValueMark Read(ByteCursor& in, std::string& stored) const override;
};

class FLDCTIME : public FLDConv {
public:
    using FLDConv::FLDConv;
    void Write(std::string_view stored, std::string& out) const override;
    ValueMark Read(ByteCursor& in, std::string& stored) const override;
};

}  // namespace velmora::datapacket
