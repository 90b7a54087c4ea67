#pragma once
// Arrays: a count followed by elements of one fixed-size type, converted by the element's
// own converter. Stored as the elements one after another. XML: decimal numbers separated by
// one or more spaces, each read as by atol into the element's size (integer elements only),
// written separated by one space. Binary: a 4-byte count, then the elements in their form.

#include <memory>

#include "datapacket/FLDConv.h"

namespace velmora::datapacket {

class FLDCRepeat : public FLDConv {
public:
    // REQUIRES: element converts values of exactly elementSize (> 0) stored bytes.
    FLDCRepeat(std::string attrName, PacketForm form, std::unique_ptr<FLDConv> element,
               uint16_t elementSize)
        : FLDConv(std::move(attrName), form),
          element_(std::move(element)),
          elementSize_(elementSize) {}

    void Write(std::string_view stored, std::string& out) const override;
    ValueMark Read(ByteCursor& in, std::string& stored) const override;

private:
    void ReadText(std::string_view text, std::string& stored) const;

    std::unique_ptr<FLDConv> element_;
    uint16_t elementSize_;
};

}  // namespace velmora::datapacket
