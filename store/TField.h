#pragma once
// A field: typed access to one column (or one calculated value) of its table's current row.
// Every read goes to the row buffer the table designates (the current row, or the buffer whose
// calculated fields are being computed); every write goes through the table's field-write step,
// which checks the edit state and the read-only flag and announces the change.
//
// Reading a field of a closed table, or of a table with no current row, gives null (AsText
// the empty text, AsNumber and AsInt32 0).
//
// Messages about a field name it by its display name: its display label, or its field name
// when the label is empty.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "store/field_type.h"
#include "store/stored_table_column.h"
#include "store/value.h"

namespace velmora::store {

class TTableBase;

class TField {
public:
    TField(std::string fieldName, FieldType dataType, uint16_t size);
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;
    virtual ~TField();

    // ---- Properties (REQUIRES for the setters: the table is closed, except labels, formats
    //      and the read-only flag) ----------------------------------------------------------
    const std::string& FieldName() const { return fieldName_; }
    FieldType DataType() const { return dataType_; }
    FieldKind Kind() const { return kind_; }
    void SetFieldKind(FieldKind kind) { kind_ = kind; }
    bool IsCalculated() const { return kind_ == fkCalculated || kind_ == fkLookup; }
    const std::string& DisplayLabel() const { return displayLabel_; }
    void SetDisplayLabel(std::string label) { displayLabel_ = std::move(label); }
    const std::string& DisplayName() const;
    virtual bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool Required() const { return required_; }
    void SetRequired(bool required) { required_ = required; }
    // Text width; the scale of a fixed-point decimal.
    uint16_t Size() const { return size_; }
    void SetSize(uint16_t size) { size_ = size; }
    // Total digits of a fixed-point decimal; 0 for other kinds.
    virtual uint16_t Precision() const { return 0; }
    FieldAlignment Alignment() const { return alignment_; }
    void SetAlignment(FieldAlignment alignment) { alignment_ = alignment; }
    TTableBase* DataSet() const { return table_; }

    // Called after every successful write of the field (the field's change event).
    std::function<void(TField&)> OnChange;

    // ---- Accessors (per kind; the defaults are the errors of kinds that lack them) ----------
    virtual std::string AsText() const = 0;
    virtual void SetAsText(const std::string& text) = 0;
    // "Cannot access field '%s' as type Integer" unless the kind reads as an integer.
    virtual int32_t AsInt32() const;
    virtual void SetAsInt32(int32_t value);
    // "Cannot access field '%s' as type Float" unless the kind reads as a number.
    virtual double AsNumber() const;
    virtual void SetAsNumber(double value);
    virtual Value AsValue() const = 0;
    virtual void SetAsValue(const Value& value) = 0;
    virtual bool IsNullValue() const;
    virtual void ClearValue();
    virtual std::string DisplayText() const { return AsText(); }
    virtual std::string EditText() const { return DisplayText(); }
    virtual void SetEditText(const std::string& text) { SetAsText(text); }
    // Whether a typed character is taken (control characters always are).
    virtual bool AcceptsChar(char c) const;

    // ---- Table side ----------------------------------------------------------------------
    // REQUIRES: called by the table that owns the field.
    void AttachTo(TTableBase* table) { table_ = table; }
    void BindColumn(size_t column, const StoredColumn& description);
    // A place in the calculated area (calculated fields) or the aggregate area (aggregates).
    void BindArea(size_t index) { slot_ = index; }
    void Unbind();
    // The stored column or calculated-area slot the field is bound to.
    std::optional<size_t> Slot() const { return slot_; }
    const StoredColumn& Column() const { return column_; }  // REQUIRES: a bound data field

protected:
    void SetDataType(FieldType type) { dataType_ = type; }
    // The value of the current row in the field's own terms (integers as Integer, decimals as
    // Fixed, floats as Double, texts as Text); null without a current row.
    Value CurrentValue() const;
    // The table's field-write step.
    void WriteValue(const Value& value);
    [[noreturn]] void AccessError(const char* typeName) const;
    [[noreturn]] void InvalidValueError() const;

private:
    std::string fieldName_;
    FieldType dataType_;
    FieldKind kind_ = fkData;
    std::string displayLabel_;
    bool readOnly_ = false;
    bool required_ = false;
    uint16_t size_;
    FieldAlignment alignment_;
    TTableBase* table_ = nullptr;
    std::optional<size_t> slot_;
    StoredColumn column_;
};

}  // namespace velmora::store
