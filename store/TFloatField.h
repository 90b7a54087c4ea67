#pragma once
// A floating-point field: an IEEE double, or null. The program's one (the item total) is
// calculated: its value lives in the row buffer's calculated area and is never stored.

#include "store/field_numeric.h"

namespace velmora::store {

class TFloatField : public NumericField {
public:
    explicit TFloatField(std::string fieldName, FieldType type = ftFloat);

    // General number text with 15 significant digits; null reads as the empty text.
    std::string AsText() const override;
    // The empty text clears; other text is parsed to the nearest double.
    void SetAsText(const std::string& text) override;
    // Rounded to the nearest integer, ties to the even one; null reads 0.
    int32_t AsInt32() const override;
    void SetAsInt32(int32_t value) override { SetAsNumber(value); }
    double AsNumber() const override;  // null reads 0
    void SetAsNumber(double value) override;
    bool AcceptsChar(char c) const override { return AcceptsNumberChar(c, true, true); }

protected:
    void SetNumber(const Value& number) override;
    std::string FormatValue(const Value& value, std::string_view pattern) const override;
};

}  // namespace velmora::store
