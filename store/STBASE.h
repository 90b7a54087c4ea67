#pragma once
// The stored table: the columns, the rows in numbered row slots with their state bytes and
// versions, the change log, the orders over the visible rows, and the table's settings.
//
// Errors: every refusal raises EStoreError with a code of store_codes.h. A refused change
// leaves nothing behind: no slot, no state change, no log entry, no change of the changed mark,
// the auto-increment counter or any order.
//
// Locking: one recursive lock per stored table, held for each call here and in STCursor, so
// orders and event code may call back into the same table. The structure (columns, table
// parameters, index descriptions, layout) never changes after creation and is read without it.
//
// Slots count from 1 in storage order; a new slot is always the next number after the highest.
// A slot holds a visible row exactly when IsVisibleRowState(SlotState(slot)).

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/change_log.h"
#include "store/column_description.h"
#include "store/row_image.h"
#include "store/row_order.h"
#include "store/row_storage.h"
#include "store/stored_table_column.h"
#include "store/stored_table_index_description.h"

namespace velmora::store {

class STCursor;
class StoredTableLoader;

class STBASE {
public:
    // An empty stored table with the given columns, in order, with an order built for each
    // index description (one named DEFAULT_ORDER replaces the default order). Change logging on,
    // auto-increment counter 1 (kept when there is an auto-increment column), locale 0, changed
    // mark 0. A column that cannot be laid out (Text, WideText or FixedBytes without width, no
    // column at all) or a key column that does not exist raises EStoreError(kCodeBadStructure).
    static std::unique_ptr<STBASE> Create(std::vector<StoredColumn> columns,
                                          std::vector<IndexDescription> indexes = {});

    STBASE(const STBASE&) = delete;
    STBASE& operator=(const STBASE&) = delete;
    // REQUIRES: no cursor on this table remains.
    ~STBASE();

    // ---- Structure -------------------------------------------------------------------------
    const std::vector<StoredColumn>& Columns() const { return columns_; }
    // Table-level optional parameters in stored order (for a loaded table: all its parameters
    // but CHANGE_LOG, AUTOINCVALUE and MD_FIELDLINKS, in file order).
    const std::vector<Parameter>& TableParameters() const { return parameters_; }
    const std::optional<Parameter>& FieldLinks() const { return fieldLinks_; }  // MD_FIELDLINKS
    const std::vector<IndexDescription>& IndexDescriptions() const { return indexes_; }
    // Key columns of the default order given by a loaded DEFAULT_ORDER parameter (the keyed
    // order itself is built by the index machinery); empty otherwise.
    const std::vector<KeyColumn>& DefaultOrderKey() const { return defaultOrderKey_; }
    // The first 4-byte integer column with the Autoinc subtype.
    std::optional<size_t> AutoIncColumn() const { return autoIncColumn_; }
    // The locale id for comparing text (0: the default locale).
    uint32_t Lcid() const { return lcid_; }
    // A change set (DATASET_DELTA or DELTA): change logging is off for it.
    bool IsDelta() const { return delta_; }
    // From DISABLE_EDITS, DISABLE_INSERTS, DISABLE_DELETES and a non-zero READONLY; they
    // refuse changes (kCodeTableReadOnly) only while change logging is on.
    bool FileReadOnly() const { return fileReadOnly_; }
    bool EditsDisabled() const { return editsDisabled_; }
    bool InsertsDisabled() const { return insertsDisabled_; }
    bool DeletesDisabled() const { return deletesDisabled_; }

    // ---- Row images ------------------------------------------------------------------------
    RowImage NewRowImage() const { return RowImage(layout_); }  // every column null
    const RowLayout& Layout() const { return *layout_; }
    uint32_t RowImageSize() const { return layout_->FixedSize(); }

    // ---- Settings and counters ---------------------------------------------------------------
    bool ReadOnly() const;  // refuses every change, logging or not
    void SetReadOnly(bool readOnly);
    bool ChangeLogging() const;
    void SetChangeLogging(bool on);
    // Changes stored since the table was created, loaded or last marked saved.
    uint32_t ChangedMark() const;
    void ClearChangedMark();
    // The value the next inserted row gets in the auto-increment column.
    int32_t AutoIncCounter() const;
    // Created with an auto-increment column, or loaded with AUTOINCVALUE.
    bool KeepsAutoIncCounter() const;

    // ---- Slots and log (for the packet writer and the orders) -------------------------------
    uint32_t SlotCount() const;
    // REQUIRES (both): 1 <= slot <= SlotCount().
    uint8_t SlotState(uint32_t slot) const;
    // Valid until the next change of the table.
    RowView SlotRow(uint32_t slot) const;
    // The same for code that holds the lock already (the orders, which the table calls; code
    // inside Lock()): a loop over many rows would otherwise take it again for every row.
    // REQUIRES: the calling thread holds the lock.
    RowView SlotRowUnderLock(uint32_t slot) const { return RowView(*layout_, rows_->Bytes(slot)); }
    // Rows of the table (visible slots).
    uint32_t RowCount() const;
    std::vector<ChangeLogEntry> LogEntries() const;
    size_t LogSize() const;

    // ---- Changes -----------------------------------------------------------------------------
    // Modifies the row in `slot` (a visible row) from image. An image equal to the stored one
    // stores nothing. Otherwise, column by column: a read-only column whose new value is not
    // null and differs raises kCodeReadOnlyColumn; a required column that is null or empty
    // raises kCodeRequiredEmpty; then the new version is stored (logging on: a new slot with
    // state 8, +4 when the old had 4, the old gains 1, entry (new, old, 8); logging off: in
    // place) and every order updated (kCodeKeyViolation when a unique order refuses).
    // Returns the slot of the row's current version. Also raises kCodeNoCurrentRow for a
    // slot that is not visible, and kCodeTableReadOnly.
    // REQUIRES: image has this table's layout.
    uint32_t ModifyRow(uint32_t slot, const RowImage& image);
    // Inserts a row: the auto-increment column takes the counter's value, a required column
    // that is null or empty raises kCodeRequiredEmpty, the row goes into the next slot (state
    // 4 with logging on, entry (slot, 0, 4)), every order takes it. Returns its slot.
    uint32_t InsertRow(const RowImage& image);
    // Deletes the visible row in slot: the state gains 2, entry (slot, 0, 2) with logging on.
    void DeleteRow(uint32_t slot);
    // Reverses the newest log entry (kCodeLogEmpty when there is none); undoing an insertion
    // or modification frees the last slot, or discards a slot that is not the last. Empty
    // entries before it go with it.
    void UndoLastChange();
    // Every current row becomes unchanged (state 0); superseded, deleted and discarded slots
    // named by the log are discarded; the log is emptied. Nothing on an empty log.
    // Undo and merge change what a save writes, so both count on the changed mark; both raise
    // kCodeTableReadOnly on a read-only table.
    void MergeChangeLog();

    // ---- Orders ------------------------------------------------------------------------------
    // The order named DEFAULT_ORDER: without key columns, the rows in slot order, a modified
    // row keeping the place of the version it replaced.
    RowOrder& DefaultOrder();
    RowOrder* FindOrder(std::string_view name);
    // Registers an order, replacing the one of the same name (cursors on it move to the new
    // order, onto the same row when the new order holds it, else before the first row).
    // REQUIRES: the order holds exactly the visible rows it should hold now.
    void InstallOrder(std::unique_ptr<RowOrder> order);
    // Drops an order; cursors on it move to the default order, onto the same row.
    // REQUIRES: name is not DEFAULT_ORDER.
    void DropOrder(std::string_view name);
    // Tells the cursors on order that its entries were rebuilt: each goes back onto its row,
    // or before the first row when the order no longer holds it.
    void RefreshCursors(const RowOrder& order);

    // For code that must hold the lock over several calls (building an order).
    std::unique_lock<std::recursive_mutex> Lock() const {
        return std::unique_lock<std::recursive_mutex>(mutex_);
    }

private:
    friend class STCursor;
    friend class StoredTableLoader;
    enum class OrderStep { Insert, Remove, Replace };

    explicit STBASE(std::vector<StoredColumn> columns);

    // Raises kCodeTableReadOnly when the table is read-only, or when change logging is on and
    // `disabled` (one of the file's refusals) is set.
    void CheckChangeAllowed(bool disabled) const;
    void CheckVisible(uint32_t slot) const;
    void CheckModifiedColumns(RowView stored, RowView changed) const;
    void CheckRequiredColumns(RowView row) const;
    RowVersion Version(uint32_t slot) const { return RowVersion{slot, SlotRow(slot)}; }
    uint32_t ModifyLogged(uint32_t slot, const RowImage& image);
    void ModifyInPlace(uint32_t slot, const RowImage& image);
    void UndoEntry(const ChangeLogEntry& entry);
    void UndoRemoval(uint32_t slot, uint8_t clearedBit, const RowVersion* replacing);
    std::string DiscardedImage(uint32_t slot) const;
    uint32_t CurrentVersion(uint32_t slot) const;
    void ReserveSuccessor(uint32_t slot);

    // Every order must accept a change before any order makes it: CheckOrders raises the first
    // refusal (nothing changed), ApplyToOrders makes the change and moves the cursors.
    void CheckOrders(OrderStep step, const RowVersion& old, const RowVersion& now);
    void ApplyToOrders(OrderStep step, const RowVersion& old, const RowVersion& now) noexcept;
    void AttachCursor(STCursor* cursor);
    void DetachCursor(STCursor* cursor);

    mutable std::recursive_mutex mutex_;
    const std::vector<StoredColumn> columns_;
    const std::shared_ptr<const RowLayout> layout_;
    std::vector<Parameter> parameters_;
    std::optional<Parameter> fieldLinks_;
    std::vector<IndexDescription> indexes_;
    std::vector<KeyColumn> defaultOrderKey_;
    std::optional<size_t> autoIncColumn_;
    uint32_t lcid_ = 0;
    bool delta_ = false;
    bool fileReadOnly_ = false;
    bool editsDisabled_ = false;
    bool insertsDisabled_ = false;
    bool deletesDisabled_ = false;

    bool readOnly_ = false;
    bool changeLogging_ = true;
    uint32_t changedMark_ = 0;
    int32_t autoIncCounter_ = 1;
    bool keepsAutoIncCounter_ = false;

    std::unique_ptr<RowStorage> rows_;
    ChangeLog log_;
    std::vector<uint32_t> successors_;  // by slot: the version that superseded it (0: none)
    std::vector<std::unique_ptr<RowOrder>> orders_;  // DEFAULT_ORDER first
    std::vector<STCursor*> cursors_;
};

}  // namespace velmora::store
