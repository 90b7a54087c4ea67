#pragma once
// Columns without a value of their own. FLDNested: the marker of a nested-table column; in a
// binary packet its value is the 4-byte count of nested rows that follow (stored as that
// count; null when there are none); in XML the nested rows are elements of the row, which
// the packet reader reads itself, so the marker has no text. FLDAlwaysNull: the columns
// whose parts are separate columns (structured and array columns): always null, nothing
// written.

#include "datapacket/FLDConv.h"

namespace velmora::datapacket {

class FLDNested : public FLDConv {
public:
    using FLDConv::FLDConv;
    void Write(std::string_view stored, std::string& out) const override;
    ValueMark Read(ByteCursor& in, std::string& stored) const override;
};

class FLDAlwaysNull : public FLDConv {
public:
    using FLDConv::FLDConv;
    void Write(std::string_view, std::string&) const override {}
    ValueMark Read(ByteCursor&, std::string& stored) const override {
        stored.clear();
        return ValueMark::Null;
    }
};

}  // namespace velmora::datapacket
