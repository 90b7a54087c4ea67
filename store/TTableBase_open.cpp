// Opening and closing a table.

#include "store/TTableBase.h"

namespace velmora::store {

void TTableBase::OpenTable() {
    if (Active()) return;
    Fire(BeforeOpen);
    try {
        OpenStore();
        AllocateWindow();
        FillWindow(Direction::Forward);
        atStart_ = true;
    } catch (...) {
        ReleaseAll(StoreRelease::OpenFailed);
        throw;
    }
    SetState(TableState::Browse);
    AnnounceActive();
    Fire(AfterOpen);
    if (!IsEmptyView()) Fire(AfterScroll);
}

void TTableBase::CloseTable() {
    if (!Active()) return;
    Fire(BeforeClose);
    SetState(TableState::Inactive);
    rowModified_ = false;
    try {
        SaveOnClose();
    } catch (...) {
        // The data that could not be saved stays in memory for the next open.
        ReleaseAll(StoreRelease::SaveFailed);
        AnnounceActive();
        throw;
    }
    ReleaseAll(StoreRelease::Closed);
    AnnounceActive();
    Fire(AfterClose);
}

void TTableBase::ReleaseAll(StoreRelease why) {
    state_ = TableState::Inactive;
    ReleaseWindow();
    for (const auto* list : {&fields_, &aggregates_})
        for (const auto& field : *list) field->Unbind();
    DropDefaultFields();
    ReleaseStore(why);
}

}  // namespace velmora::store
