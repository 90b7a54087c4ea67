#include "store/TField.h"

#include "platform/errors.h"
#include "store/TTableBase.h"
#include "store/field_names.h"
#include "store/field_stored_form.h"

namespace velmora::store {

namespace {

bool IsNumericType(FieldType type) {
    switch (type) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftAutoInc:
        case ftLargeint:
        case ftFloat:
        case ftCurrency:
        case ftBCD:
        case ftFMTBcd:
            return true;
        default:
            return false;
    }
}

}  // namespace

TField::TField(std::string fieldName, FieldType dataType, uint16_t size)
    : fieldName_(std::move(fieldName)),
      dataType_(dataType),
      size_(size),
      alignment_(IsNumericType(dataType) ? taRightJustify : taLeftJustify) {}

TField::~TField() = default;

const std::string& TField::DisplayName() const {
    return displayLabel_.empty() ? fieldName_ : displayLabel_;
}

int32_t TField::AsInt32() const {
    AccessError("Integer");
}

void TField::SetAsInt32(int32_t) {
    AccessError("Integer");
}

double TField::AsNumber() const {
    AccessError("Float");
}

void TField::SetAsNumber(double) {
    AccessError("Float");
}

bool TField::IsNullValue() const {
    return CurrentValue().IsNull();
}

void TField::ClearValue() {
    WriteValue(Value());
}

bool TField::AcceptsChar(char) const {
    return true;
}

void TField::BindColumn(size_t column, const StoredColumn& description) {
    slot_ = column;
    column_ = description;
}

void TField::Unbind() {
    slot_.reset();
    column_ = StoredColumn();
}

Value TField::CurrentValue() const {
    const RowBuffer* buffer = table_ ? table_->ReadBuffer() : nullptr;
    if (!buffer || !slot_) return Value();
    if (IsCalculated())
        return *slot_ < buffer->calculated.size() ? buffer->calculated[*slot_] : Value();
    if (kind_ != fkData || buffer->image.IsNull(*slot_)) return Value();
    return DecodeColumnValue(column_, buffer->image.Value(*slot_));
}

void TField::WriteValue(const Value& value) {
    if (!table_) DatabaseError(FillMessage("Field '%s' cannot be modified", {DisplayName()}));
    table_->WriteField(*this, value);
}

void TField::AccessError(const char* typeName) const {
    DatabaseError(FillMessage("Cannot access field '%s' as type %s", {DisplayName(), typeName}));
}

void TField::InvalidValueError() const {
    DatabaseError(FillMessage("Invalid value for field '%s'", {DisplayName()}));
}

}  // namespace velmora::store
