// Calculated fields and the field-write step.

#include "store/TTableBase.h"
#include "store/field_names.h"
#include "store/field_stored_form.h"

namespace velmora::store {

namespace {

// Restores what a calculation changed, also when OnCalcFields raises.
template <typename T>
class Restore {
public:
    Restore(T& slot, T value) : slot_(slot), saved_(slot) { slot_ = value; }
    ~Restore() { slot_ = saved_; }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

private:
    T& slot_;
    T saved_;
};

}  // namespace

// The calculated fields of a buffer, in state Calculating, with the buffer as the row that
// fields read and write.
void TTableBase::CalculateFields(RowBuffer& buffer) {
    if (calculatedCount_ == 0) return;
    Restore<TableState> state(state_, TableState::Calculating);
    Restore<RowBuffer*> target(calculating_, &buffer);
    buffer.ClearCalculated();
    Fire(OnCalcFields);
}

// After a data-field write: recomputed in the current buffer, the state staying Editing or
// Inserting, so that each calculated value written is announced.
void TTableBase::RecalculateCurrent() {
    if (calculatedCount_ == 0 || recalculating_) return;
    Restore<bool> guard(recalculating_, true);
    Current().ClearCalculated();
    Fire(OnCalcFields);
}

bool TTableBase::JudgeRow(const RowView& row, const std::function<bool(TTableBase&)>& judge) {
    RowBuffer buffer;
    PrepareBuffer(buffer);
    buffer.image = NewRowImage();
    buffer.image.Assign(row.Bytes());
    Restore<TableState> state(state_, TableState::Filtering);
    Restore<RowBuffer*> target(calculating_, &buffer);
    return judge(*this);
}

void TTableBase::WriteField(TField& field, const Value& value) {
    bool transient = state_ == TableState::Calculating || state_ == TableState::Filtering;
    if (!IsEditState(state_) && !transient) Fail("Dataset not in edit or insert mode");
    RowBuffer& buffer = calculating_ ? *calculating_ : Current();
    size_t slot = *field.Slot();
    if (field.IsCalculated()) {
        buffer.calculated[slot] = value;
    } else {
        if (field.ReadOnly())
            DatabaseError(FillMessage("Field '%s' cannot be modified", {field.DisplayName()}));
        if (value.IsNull())
            buffer.image.SetNull(slot);
        else
            buffer.image.Put(slot, EncodeColumnValue(field.Column(), value));
    }
    if (transient) return;
    if (!field.IsCalculated()) {
        rowModified_ = true;
        if (autoCalcFields_) RecalculateCurrent();
    }
    if (field.OnChange) field.OnChange(field);
    AnnounceField(field);
}

}  // namespace velmora::store
