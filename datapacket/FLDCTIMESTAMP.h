#pragma once
// Date-times. FLDCTIMESTAMP ("dateTime"): a double holding day number * 86400000 plus the
// milliseconds of the day; text: a date, then optionally "T" and a time; written as the date
// alone at midnight. FLDCSQLTIMESTAMP ("SQLdateTime"): the 16-byte record (int16 year,
// uint16 month, day, hour, minute, second, uint32 thousandths); text at fixed positions:
// year 0-3, month 4-5, day 6-7, and when position 8 is "T" a time from position 9; null as
// for integers. Binary: the stored bytes.

#include "datapacket/FLDConv.h"

namespace velmora::datapacket {

class FLDCTIMESTAMP : public FLDConv {
public:
    using FLDConv::FLDConv;
    void Write(std::string_view stored, std::string& out) const override;
    ValueMark Read(ByteCursor& in, std::string& stored) const override;
};

class FLDCSQLTIMESTAMP : public FLDConv {
public:
    static constexpr size_t kSize = 16;
    using FLDConv::FLDConv;
    void Write(std::string_view stored, std::string& out) const override;
    ValueMark Read(ByteCursor& in, std::string& stored) const override;
};

}  // namespace velmora::datapacket
