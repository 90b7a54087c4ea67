#pragma once
// What the numeric field kinds share: display and edit patterns, a declared value range, the
// characters accepted while typing, right alignment.

#include <optional>
#include <string>
#include <string_view>

#include "store/TField.h"

namespace velmora::store {

class NumericField : public TField {
public:
    using TField::TField;

    const std::string& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(std::string pattern) { displayFormat_ = std::move(pattern); }
    const std::string& EditFormat() const { return editFormat_; }
    void SetEditFormat(std::string pattern) { editFormat_ = std::move(pattern); }
    // Declares the values the field accepts; values outside raise "%g is not a valid value for
    // field '%s'. The allowed range is %g to %g".
    void SetRange(double minValue, double maxValue);

    Value AsValue() const override { return CurrentValue(); }
    // Null clears, text is parsed as typed text, a number goes to SetNumber; a boolean raises
    // "Invalid value for field '%s'".
    void SetAsValue(const Value& value) override;

    // The display pattern applied, else the kind's plain text; null shows the empty text.
    std::string DisplayText() const override;
    // The edit pattern, else the display pattern, else the plain text.
    std::string EditText() const override;

protected:
    // REQUIRES: number is an Integer, FixedPoint or Double value.
    virtual void SetNumber(const Value& number) = 0;
    // The value under pattern; the empty pattern gives the kind's plain text.
    // REQUIRES: value is not null.
    virtual std::string FormatValue(const Value& value, std::string_view pattern) const = 0;
    // "+", "-", digits, and the decimal separator or the exponent letters when asked for.
    bool AcceptsNumberChar(char c, bool decimal, bool exponent) const;
    // Raises the range error when value lies outside the declared range (or, without one, the
    // kind's own range).
    void CheckRange(double value) const;
    void SetKindRange(double minValue, double maxValue);
    // The range error, with the 32-bit bounds, for a value read as a 32-bit integer.
    void CheckInt32Range(double value) const;

private:
    std::string displayFormat_;
    std::string editFormat_;
    std::optional<double> minValue_;
    std::optional<double> maxValue_;
};

}  // namespace velmora::store
