// Providing, keeping, saving and creating the stored table.

#include "platform/errors.h"
#include "store/TCustomMemTable.h"

namespace velmora::store {

namespace {

constexpr char kMissingData[] = "Missing data provider or data packet";

}  // namespace

void TCustomMemTable::ProvideStoredTable() {
    if (stored_ && (origin_ == Origin::Created || origin_ == Origin::Unsaved)) return;
    PacketProvider* provider = InstalledPacketProvider();
    if (!fileName_.empty() && provider && provider->FileExists(fileName_)) {
        if (std::unique_ptr<STBASE> loaded = provider->LoadStoredTable(fileName_)) {
            stored_ = std::move(loaded);
            origin_ = Origin::Loaded;
            return;
        }
    }
    if (stored_ && origin_ == Origin::Kept) return;
    Fail(kMissingData);
}

void TCustomMemTable::OpenStore() {
    keepOnClose_ = false;
    ProvideStoredTable();
    cursor_ = std::make_unique<STCursor>(*stored_);
    orders_ = std::make_unique<CursorOrders>(*cursor_);
    RefreshFieldDefs();
    if (Fields().empty()) CreateDefaultFields();
    BindFields();
    cursor_->SetToBegin();
    ApplyOrder(indexSlot_, indexIsFields_);
    DecidePermissions();
    ActivateAggregates();
    if (filtered_) ApplyFilters();
    cursor_->SetToBegin();
    keepOnClose_ = true;
}

// Whether the table may be changed is decided here, once per open: not when ReadOnly is set or
// the stored table (or its file) is read-only. ReadOnly also makes the stored table refuse
// changes while the table is open; closing takes that mark off again.
void TCustomMemTable::DecidePermissions() {
    canModify_ = !readOnly_ && !stored_->ReadOnly() && !stored_->FileReadOnly();
    if (readOnly_ && !stored_->ReadOnly()) {
        stored_->SetReadOnly(true);
        markedReadOnly_ = true;
    }
}

void TCustomMemTable::SaveOnClose() {
    savedOnClose_ = false;
    if (fileName_.empty()) return;
    PacketProvider* provider = InstalledPacketProvider();
    if (!provider) Fail(kMissingData);
    if (stored_->ChangedMark() == 0 && provider->FileExists(fileName_)) return;
    provider->SaveStoredTable(*stored_, fileName_, pfBinary);
    savedOnClose_ = true;
}

void TCustomMemTable::ReleaseStore(StoreRelease why) {
    // The view, the index of a column list and the aggregates were the cursor's: a stored
    // table kept for the next open keeps only its own orders.
    if (orders_) orders_->Release();
    orders_.reset();
    expressionFilter_ = callbackFilter_ = 0;
    cursor_.reset();
    if (stored_ && markedReadOnly_) stored_->SetReadOnly(false);
    markedReadOnly_ = false;
    bool keep = false;
    switch (why) {
        case StoreRelease::Closed:
            keep = savedOnClose_ || (fileName_.empty() && keepOnClose_);
            origin_ = keep ? Origin::Kept : Origin::None;
            // What is kept reads back as a freshly loaded table would.
            if (keep) stored_->ClearChangedMark();
            break;
        case StoreRelease::SaveFailed:
            keep = true;
            origin_ = Origin::Unsaved;
            break;
        case StoreRelease::OpenFailed:
            keep = origin_ == Origin::Kept || origin_ == Origin::Unsaved;
            break;
    }
    if (!keep) {
        stored_.reset();
        origin_ = Origin::None;
    }
    savedOnClose_ = false;
    keepOnClose_ = false;
}

void TCustomMemTable::CreateEmpty() {
    if (Active()) Fail("Cannot perform this operation on an open dataset");
    if (fieldDefs_.empty()) fieldDefs_ = FieldDefsOfDeclaredFields();
    if (fieldDefs_.empty()) DatabaseError("No fields defined.  Cannot create dataset");
    std::vector<StoredColumn> columns;
    for (const TFieldDef& def : fieldDefs_) columns.push_back(ColumnOfFieldDef(def));
    std::vector<IndexDescription> indexes;
    for (const TIndexDef& def : indexDefs_)
        indexes.push_back(IndexDescriptionOf(def, columns, Name()));
    stored_ = STBASE::Create(std::move(columns), std::move(indexes));
    origin_ = Origin::Created;
    OpenTable();
}

void TCustomMemTable::SaveFile(const std::string& fileName, PacketFormat format) {
    if (!Active() && !stored_) return;
    PacketProvider* provider = InstalledPacketProvider();
    if (!provider) Fail(kMissingData);
    if (Active()) SettleEdit();
    provider->SaveStoredTable(*stored_, fileName.empty() ? fileName_ : fileName, format);
}

}  // namespace velmora::store
