// Finishing a pending row (PostRow, CancelEdit) and deleting rows.

#include "store/TDataSource.h"
#include "store/TTableBase.h"
#include "store/field_names.h"

namespace velmora::store {

void TTableBase::CheckRequiredFields() {
    for (const auto& field : fields_) {
        if (field->Kind() != fkData || !field->Required() || field->ReadOnly() ||
            !field->IsNullValue())
            continue;
        for (TDataSource* source : sources_)
            if (source->FocusField(*field)) break;
        DatabaseError(FillMessage("Field '%s' must have a value", {field->DisplayName()}));
    }
}

void TTableBase::PostRow() {
    if (!IsEditState(state_)) Fail("Dataset not in edit or insert mode");
    FlushControls();
    SettleControls();
    bool inserting = state_ == TableState::Inserting;
    if (IsChangeSet()) {
        CheckRequiredFields();
        StoreRow(Current(), inserting);
        SetState(TableState::Browse);
        return;
    }
    Fire(BeforePost);
    RunWithErrorEvent(OnPostError, [&] {
        CheckRequiredFields();
        StoreRow(Current(), inserting);
    });
    SetState(TableState::Browse);
    RefillWindow(current_);
    AnnounceRows();
    Fire(AfterPost);
}

void TTableBase::CancelEdit() {
    if (!IsEditState(state_)) return;
    SettleControls();
    Fire(BeforeCancel);
    bool inserting = state_ == TableState::Inserting;
    if (inserting) Fire(BeforeScroll);
    SetState(TableState::Browse);
    RefillAt(Current().flag, Current().bookmark, current_);
    AnnounceRows();
    Fire(AfterCancel);
    if (inserting) Fire(AfterScroll);
}

void TTableBase::DeleteRow() {
    CheckActive();
    if (state_ == TableState::Inserting) {
        CancelEdit();
        return;
    }
    if (IsEmptyView()) Fail("Cannot perform this operation on an empty dataset");
    SettleControls();
    Fire(BeforeDelete);
    Fire(BeforeScroll);
    RunWithErrorEvent(OnDeleteError, [this] {
        if (DeletesForbidden()) Fail("Deletes are not allowed");
        DeleteStoredRow(Current());
    });
    SetState(TableState::Browse);
    RefillWindow(current_);
    AnnounceRows();
    Fire(AfterDelete);
    Fire(AfterScroll);
}

}  // namespace velmora::store
