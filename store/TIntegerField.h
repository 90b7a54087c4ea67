#pragma once
// An integer field: a 32-bit signed integer, or null. A small-integer or word field keeps to
// the range of its type; a declared range narrows it further.

#include "store/field_numeric.h"

namespace velmora::store {

class TIntegerField : public NumericField {
public:
    // REQUIRES: type is ftInteger, ftSmallint, ftWord or ftAutoInc.
    explicit TIntegerField(std::string fieldName, FieldType type = ftInteger);

    // Decimal digits with "-" for negatives; null reads as the empty text.
    std::string AsText() const override;
    // The empty text clears; other text must read as a whole number within 32 bits.
    void SetAsText(const std::string& text) override;
    int32_t AsInt32() const override;  // null reads 0
    void SetAsInt32(int32_t value) override;
    double AsNumber() const override;  // null reads 0
    // Rounded to the nearest integer, ties to the even one, then as SetAsInt32.
    void SetAsNumber(double value) override;
    bool AcceptsChar(char c) const override { return AcceptsNumberChar(c, false, false); }

protected:
    void SetNumber(const Value& number) override;
    std::string FormatValue(const Value& value, std::string_view pattern) const override;
};

}  // namespace velmora::store
