#include "store/STBASE.h"

#include "platform/errors.h"
#include "store/STCursor.h"
#include "store/STIDX.h"
#include "store/row_order_slots.h"
#include "store/row_state.h"
#include "store/row_storage.h"
#include "store/store_codes.h"

namespace velmora::store {
namespace {

bool CanLayOut(const StoredColumn& column) {
    switch (column.type) {
        case LogicalType::Text:
        case LogicalType::WideText:
        case LogicalType::FixedBytes:
            return column.width != 0;
        default:
            return true;
    }
}

void CheckIndexes(const std::vector<IndexDescription>& indexes, size_t columnCount) {
    for (const IndexDescription& index : indexes)
        for (const KeyColumn& key : index.keys)
            if (key.column >= columnCount) throw EStoreError(kCodeBadStructure);
}

}  // namespace

STBASE::STBASE(std::vector<StoredColumn> columns)
    : columns_(std::move(columns)),
      layout_(std::make_shared<RowLayout>(columns_)),
      rows_(std::make_unique<RowStorage>()) {
    for (size_t column = 0; column < columns_.size() && !autoIncColumn_; ++column)
        if (IsAutoIncColumn(columns_[column])) autoIncColumn_ = column;
    orders_.push_back(std::make_unique<SlotOrder>(std::vector<uint32_t>{}));
}

STBASE::~STBASE() = default;

std::unique_ptr<STBASE> STBASE::Create(std::vector<StoredColumn> columns,
                                       std::vector<IndexDescription> indexes) {
    if (columns.empty()) throw EStoreError(kCodeBadStructure);
    for (const StoredColumn& column : columns)
        if (!CanLayOut(column)) throw EStoreError(kCodeBadStructure);
    CheckIndexes(indexes, columns.size());
    std::unique_ptr<STBASE> table(new STBASE(std::move(columns)));
    table->indexes_ = std::move(indexes);
    table->keepsAutoIncCounter_ = table->autoIncColumn_.has_value();
    InstallDescribedIndexes(*table);
    return table;
}

bool STBASE::ReadOnly() const {
    std::lock_guard lock(mutex_);
    return readOnly_;
}

void STBASE::SetReadOnly(bool readOnly) {
    std::lock_guard lock(mutex_);
    readOnly_ = readOnly;
}

bool STBASE::ChangeLogging() const {
    std::lock_guard lock(mutex_);
    return changeLogging_;
}

void STBASE::SetChangeLogging(bool on) {
    std::lock_guard lock(mutex_);
    changeLogging_ = on;
}

uint32_t STBASE::ChangedMark() const {
    std::lock_guard lock(mutex_);
    return changedMark_;
}

void STBASE::ClearChangedMark() {
    std::lock_guard lock(mutex_);
    changedMark_ = 0;
}

int32_t STBASE::AutoIncCounter() const {
    std::lock_guard lock(mutex_);
    return autoIncCounter_;
}

bool STBASE::KeepsAutoIncCounter() const {
    std::lock_guard lock(mutex_);
    return keepsAutoIncCounter_;
}

uint32_t STBASE::SlotCount() const {
    std::lock_guard lock(mutex_);
    return rows_->Count();
}

uint8_t STBASE::SlotState(uint32_t slot) const {
    std::lock_guard lock(mutex_);
    return rows_->State(slot);
}

RowView STBASE::SlotRow(uint32_t slot) const {
    std::lock_guard lock(mutex_);
    return RowView(*layout_, rows_->Bytes(slot));
}

uint32_t STBASE::RowCount() const {
    std::lock_guard lock(mutex_);
    return orders_.front()->Count();
}

std::vector<ChangeLogEntry> STBASE::LogEntries() const {
    std::lock_guard lock(mutex_);
    return log_.Entries();
}

size_t STBASE::LogSize() const {
    std::lock_guard lock(mutex_);
    return log_.Size();
}

}  // namespace velmora::store
