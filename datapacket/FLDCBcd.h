#pragma once
// Fixed-point decimals ("fixed" and "fixedFMT"), stored as the 16-byte count of units at the
// column's scale. Text: see store::ParseDatapacketDecimal and store::DatapacketDecimalText.
// Binary: 18 bytes - the precision, a byte with 0x80 for a negative value and the scale in
// its low 6 bits, then 32 packed decimal digits, two per byte, high nibble first; the first
// `precision` digits hold the number. A value with more integer digits than the column
// allows, or more than 32 digits in all, raises EStoreError(kCodeValueOutOfRange) in both
// forms.

#include "datapacket/FLDConv.h"

namespace velmora::datapacket {

class FLDCBcd : public FLDConv {
public:
    static constexpr size_t kBinarySize = 18;
    static constexpr int kPackedDigits = 32;

    // precision: digits of the column (0: not limited beyond the forms); scale: digits after
    // the point. REQUIRES: scale <= kPackedDigits.
    FLDCBcd(std::string attrName, PacketForm form, int precision, int scale)
        : FLDConv(std::move(attrName), form), precision_(precision), scale_(scale) {}

    void Write(std::string_view stored, std::string& out) const override;
    ValueMark Read(ByteCursor& in, std::string& stored) const override;

private:
    // The column's precision, or the binary form's 32 digits when it declares none or more:
    // a value read must fit both forms.
    int DigitLimit() const {
        return precision_ > 0 && precision_ <= kPackedDigits ? precision_ : kPackedDigits;
    }
    void WriteBinary(std::string_view stored, std::string& out) const;
    void ReadBinary(ByteCursor& in, std::string& stored) const;

    int precision_;
    int scale_;
};

}  // namespace velmora::datapacket
