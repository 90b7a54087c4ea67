#pragma once
// A text field: single-byte text of at most Size characters (default 20). Null is distinct
// from the empty text. A field declared fixed-width (FixedChar) behaves like any other: values
// are neither padded on reading nor on writing.

#include "store/TField.h"

namespace velmora::store {

class TStringField : public TField {
public:
    explicit TStringField(std::string fieldName, uint16_t size = 20);

    bool FixedChar() const { return DataType() == ftFixedChar; }
    // REQUIRES: the table is closed.
    void SetFixedChar(bool fixed);

    // Null reads as the empty text.
    std::string AsText() const override;
    // Cut to Size; the store removes trailing blanks.
    void SetAsText(const std::string& text) override;
    // The text read as an integer / a number ("'%s' is not a valid integer value" ...).
    int32_t AsInt32() const override;
    void SetAsInt32(int32_t value) override;
    double AsNumber() const override;
    void SetAsNumber(double value) override;
    Value AsValue() const override;
    // Null clears; any other value is stored as its text.
    void SetAsValue(const Value& value) override;
};

}  // namespace velmora::store
