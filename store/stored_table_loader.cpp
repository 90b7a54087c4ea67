#include "store/stored_table_loader.h"

#include <algorithm>
#include <new>
#include <unordered_map>

#include "platform/collation.h"
#include "platform/errors.h"
#include "store/STIDX.h"
#include "store/row_image_marks.h"
#include "store/row_order_slots.h"
#include "store/row_state.h"
#include "store/row_storage.h"
#include "store/store_codes.h"
#include "store/stored_table_bytes.h"
#include "store/stored_table_loader_column.h"
#include "store/stored_table_parameters.h"

namespace velmora::store {
namespace {

[[noreturn]] void BadStructure() {
    throw EStoreError(kCodeBadStructure);
}

uint32_t KnownLocaleOrDefault(std::optional<int64_t> lcid) {
    if (!lcid || *lcid < 0 || *lcid > INT32_MAX) return 0;
    return platform::IsKnownLocale(static_cast<uint32_t>(*lcid)) ? static_cast<uint32_t>(*lcid) : 0;
}

bool NamesSlot(uint32_t slot, uint32_t count) {
    return slot >= 1 && slot <= count;
}

void CheckLog(const std::vector<ChangeLogEntry>& log, uint32_t slotCount) {
    for (const ChangeLogEntry& entry : log) {
        const bool concernsRows = entry.kind == kChangeDeletion || entry.kind == kChangeInsertion ||
                                  entry.kind == kChangeModification;
        if (concernsRows && !NamesSlot(entry.slot, slotCount)) BadStructure();
        if (entry.kind == kChangeModification &&
            (!NamesSlot(entry.replaced, slotCount) || entry.replaced == entry.slot))
            BadStructure();
    }
}

}  // namespace

struct StoredTableLoader::Pending {
    std::vector<StoredColumn> columns;
    std::unique_ptr<STBASE> table;
    std::vector<ChangeLogEntry> log;
    std::vector<uint32_t> withUnchanged;  // slots holding values marked unchanged, ascending
    bool autoIncGiven = false;

    STBASE& Table();
    bool TakeIntoStructure(const Parameter& parameter);
    void ApplyKept(const Parameter& parameter);
    void ResolveUnchanged();
    void SetUpAutoInc();
};

StoredTableLoader::StoredTableLoader() : pending_(std::make_unique<Pending>()) {}
StoredTableLoader::~StoredTableLoader() = default;

// The columns are laid out when the first thing after them arrives.
STBASE& StoredTableLoader::Pending::Table() {
    if (!table) {
        if (columns.empty()) BadStructure();
        table.reset(new STBASE(std::move(columns)));
    }
    return *table;
}

void StoredTableLoader::AddColumn(const ColumnDescription& column,
                                  const std::vector<Parameter>& fieldParameters) {
    pending_->columns.push_back(ColumnFromDescription(column, fieldParameters));
}

void StoredTableLoader::AddTableParameter(Parameter parameter) {
    pending_->Table();
    // The writer takes a nameless table parameter for the end of the list, so it would not
    // travel with the table.
    if (parameter.name.empty()) return;
    if (pending_->TakeIntoStructure(parameter)) return;
    // Nor would one that holds no value; it has no effect either, which the table written
    // back would lose.
    if (!ParameterHoldsValue(parameter)) return;
    pending_->ApplyKept(parameter);
    pending_->table->parameters_.push_back(std::move(parameter));
}

bool StoredTableLoader::Pending::TakeIntoStructure(const Parameter& parameter) {
    if (IsParameterNamed(parameter, "CHANGE_LOG")) {
        log = ParseChangeLog(parameter);
    } else if (IsParameterNamed(parameter, "AUTOINCVALUE")) {
        std::optional<int64_t> next = ParameterInteger(parameter);
        if (!next || *next < INT32_MIN || *next > INT32_MAX) BadStructure();
        table->autoIncCounter_ = static_cast<int32_t>(*next);
        table->keepsAutoIncCounter_ = true;
        autoIncGiven = true;
    } else if (IsParameterNamed(parameter, "MD_FIELDLINKS")) {
        table->fieldLinks_ = parameter;
    } else {
        return false;
    }
    return true;
}

void StoredTableLoader::Pending::ApplyKept(const Parameter& parameter) {
    STBASE& t = *table;
    if (IsParameterNamed(parameter, "LCID")) {
        t.lcid_ = KnownLocaleOrDefault(ParameterInteger(parameter));
    } else if (IsParameterNamed(parameter, "DATASET_DELTA") ||
               IsParameterNamed(parameter, "DELTA")) {
        if (ParameterIsTrue(parameter)) {
            t.delta_ = true;
            t.changeLogging_ = false;
        }
    } else if (IsParameterNamed(parameter, "READONLY")) {
        t.fileReadOnly_ = ParameterIsTrue(parameter);
    } else if (IsParameterNamed(parameter, "DISABLE_EDITS")) {
        t.editsDisabled_ = true;
    } else if (IsParameterNamed(parameter, "DISABLE_INSERTS")) {
        t.insertsDisabled_ = true;
    } else if (IsParameterNamed(parameter, "DISABLE_DELETES")) {
        t.deletesDisabled_ = true;
    } else if (IsParameterNamed(parameter, "DEFAULT_ORDER")) {
        t.defaultOrderKey_ = ParseKeyList(parameter, t.columns_.size());
    } else if (IsParameterNamed(parameter, "UNIQUE_KEY") ||
               IsParameterNamed(parameter, "PRIMARY_KEY")) {
        ParseKeyList(parameter, t.columns_.size());  // only checked here; the indexes read it
    }
}

RowImage StoredTableLoader::NewRowImage() {
    return pending_->Table().NewRowImage();
}

void StoredTableLoader::AddRow(uint8_t state, const RowImage& row) {
    STBASE& table = pending_->Table();
    try {
        table.rows_->ReserveOne();
        const uint32_t slot = table.rows_->Append(table.rows_->Allocate(row.Bytes()), state);
        if (HasUnchangedMark(row.Layout(), row.Bytes())) pending_->withUnchanged.push_back(slot);
    } catch (const std::bad_alloc&) {
        throw EStoreError(kCodeOutOfMemory);
    }
}

// A value marked unchanged in a modified version is the value of the version it replaced.
// Only a change set keeps the marks.
void StoredTableLoader::Pending::ResolveUnchanged() {
    if (table->delta_ || withUnchanged.empty()) return;
    std::unordered_map<uint32_t, uint32_t> replaced;
    for (const ChangeLogEntry& entry : log)
        if (entry.kind == kChangeModification) replaced[entry.slot] = entry.replaced;
    RowImage image = table->NewRowImage();
    for (uint32_t slot : withUnchanged) {
        image.Assign(table->rows_->Bytes(slot));
        auto source = replaced.find(slot);
        const bool fromSource =
            source != replaced.end() && (table->rows_->State(slot) & kRowModified) != 0;
        for (size_t column = 0; column < image.ColumnCount(); ++column) {
            if (!image.View().IsUnchanged(column)) continue;
            const RowView old = fromSource ? table->SlotRow(source->second) : image.View();
            if (fromSource && !old.IsNull(column) && !old.IsUnchanged(column))
                image.PutStored(column, old.Value(column));
            else
                image.SetNull(column);
        }
        table->rows_->Exchange(slot, table->rows_->Allocate(image.Bytes()));
    }
}

// Without AUTOINCVALUE the counter continues after the highest number the rows hold, so that
// new rows never repeat one.
void StoredTableLoader::Pending::SetUpAutoInc() {
    if (autoIncGiven || !table->autoIncColumn_) return;
    const size_t column = *table->autoIncColumn_;
    int32_t highest = 0;
    for (uint32_t slot = 1; slot <= table->rows_->Count(); ++slot) {
        const RowView row = table->SlotRow(slot);
        if (!row.IsNull(column))
            highest = std::max(highest, static_cast<int32_t>(ReadUnsignedLE(row.Value(column))));
    }
    table->autoIncCounter_ = highest == INT32_MAX ? highest : highest + 1;
}

std::unique_ptr<STBASE> StoredTableLoader::Finish() {
    STBASE& table = pending_->Table();
    const uint32_t count = table.rows_->Count();
    CheckLog(pending_->log, count);
    try {
        pending_->ResolveUnchanged();
        pending_->SetUpAutoInc();
        std::vector<uint32_t> visible;
        for (uint32_t slot = 1; slot <= count; ++slot)
            if (IsVisibleRowState(table.rows_->State(slot))) visible.push_back(slot);
        table.orders_.front() = std::make_unique<SlotOrder>(visible, count);
        InstallDescribedIndexes(table);
        table.successors_.assign(count + 1, 0);
        for (const ChangeLogEntry& entry : pending_->log)
            if (entry.kind == kChangeModification) table.successors_[entry.replaced] = entry.slot;
        table.log_.Assign(std::move(pending_->log));
        table.rows_->TrimNewestBlock();
    } catch (const std::bad_alloc&) {
        throw EStoreError(kCodeOutOfMemory);
    }
    table.changedMark_ = 0;
    return std::move(pending_->table);
}

}  // namespace velmora::store
