#pragma once
// A fixed-point decimal field: a count of 1/10000 units (four decimal places), or null. Its
// Size is the scale (digits kept after the point) and its Precision the total digits; the
// stored table refuses a value whose integer part has more than Precision - Size digits, with
// an EStoreError whose message is empty, and the field then keeps its previous value.

#include "store/field_numeric.h"

namespace velmora::store {

class TBCDField : public NumericField {
public:
    explicit TBCDField(std::string fieldName, uint16_t precision = 15, uint16_t size = 4);

    uint16_t Precision() const override { return precision_; }
    // REQUIRES: the table is closed.
    void SetPrecision(uint16_t precision) { precision_ = precision; }

    // General number text, up to four decimals, no trailing zeros; null reads as the empty text.
    std::string AsText() const override;
    // The empty text clears; other text is parsed and rounded to 1/10000, ties to even.
    void SetAsText(const std::string& text) override;
    // Rounded to the nearest integer, ties to the even one; null reads 0.
    int32_t AsInt32() const override;
    void SetAsInt32(int32_t value) override;
    // The nearest double; null reads 0.
    double AsNumber() const override;
    // value x 10000 in extended precision, rounded with ties to even.
    void SetAsNumber(double value) override;
    // Digits beyond Size are dropped before the value is stored.
    void SetAsFixed(FixedPoint value);
    bool AcceptsChar(char c) const override { return AcceptsNumberChar(c, true, false); }

protected:
    void SetNumber(const Value& number) override;
    // A pattern that cannot be applied shows "BCD overflow".
    std::string FormatValue(const Value& value, std::string_view pattern) const override;

private:
    uint16_t precision_;
};

}  // namespace velmora::store
