#pragma once
// The in-memory table over a stored table (STBASE) and its cursor: where the rows of
// TTableBase come from. It provides the stored table when opening (the file named by
// FileName, or the one made by CreateEmpty or kept from an earlier close), binds the declared
// fields to the stored columns, and writes rows back through the cursor.
//
// Opening provides the stored table in this order: one made by CreateEmpty (or one whose save
// failed at the last close, so that no change is lost); else the file named by FileName when
// it exists and is not empty; else the one kept from the last close; else the open fails with
// "Missing data provider or data packet".
//
// Closing a table with a FileName saves it when the stored table changed or the file does not
// exist, and then keeps it for an open whose file has gone; a table without a FileName keeps
// its stored table (rows, row states, change log) for the next open. Destroying the table
// closes it without keeping anything.

#include <memory>
#include <string>
#include <vector>

#include "store/STBASE.h"
#include "store/STCursor.h"
#include "store/TFieldDef.h"
#include "store/TIndexDef.h"
#include "store/TTableBase.h"
#include "store/packet_provider.h"

namespace velmora::store {

class TCustomMemTable : public TTableBase {
public:
    explicit TCustomMemTable(std::string name);
    // Closes the table (saving to FileName when it must); errors are dropped here, so close
    // explicitly to see them.
    ~TCustomMemTable() override;

    // ---- Properties ---------------------------------------------------------------------
    // Setting it does nothing else: an open table is not reloaded.
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string fileName) { fileName_ = std::move(fileName); }
    // The whole table refuses changes; takes effect at the next open.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool AggregatesActive() const { return aggregatesActive_; }
    void SetAggregatesActive(bool active) { aggregatesActive_ = active; }
    // IndexFieldNames and IndexName share one slot: setting either replaces the other.
    std::string IndexFieldNames() const { return indexIsFields_ ? indexSlot_ : std::string(); }
    void SetIndexFieldNames(std::string fields);
    std::string IndexName() const { return indexIsFields_ ? std::string() : indexSlot_; }
    void SetIndexName(std::string name);
    const std::string& Filter() const { return filter_; }
    void SetFilter(std::string filter) { filter_ = std::move(filter); }
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool filtered) { filtered_ = filtered; }
    std::vector<TFieldDef>& FieldDefs() { return fieldDefs_; }
    std::vector<TIndexDef>& IndexDefs() { return indexDefs_; }
    bool StoreDefs() const { return storeDefs_; }
    void SetStoreDefs(bool store) { storeDefs_ = store; }

    // ---- Operations ---------------------------------------------------------------------
    // Builds an empty stored table from FieldDefs (filled from the declared data fields when
    // empty) and IndexDefs, then opens the table. Errors: "Cannot perform this operation on an
    // open dataset"; "No fields defined.  Cannot create dataset" (without the table's name).
    void CreateEmpty();
    // Writes the table to fileName (FileName when empty) through the installed provider;
    // settles a pending row first. Nothing when the table is closed and holds no stored table.
    void SaveFile(const std::string& fileName = {}, PacketFormat format = pfBinary);

    // The stored table while the table is open or keeps one; nullptr otherwise.
    const STBASE* StoredTable() const { return stored_.get(); }

protected:
    void OpenStore() override;
    void SaveOnClose() override;
    void ReleaseStore(StoreRelease why) override;
    bool FetchRow(Direction direction, RowBuffer& buffer) override;
    bool ReadCursorRow(RowBuffer& buffer) override;
    void CursorToBegin() override { cursor_->SetToBegin(); }
    void CursorToEnd() override { cursor_->SetToEnd(); }
    bool CursorToBookmark(const Bookmark& bookmark) override;
    RowImage NewRowImage() override { return stored_->NewRowImage(); }
    void StoreRow(const RowBuffer& buffer, bool inserting) override;
    void DeleteStoredRow(const RowBuffer& buffer) override;
    uint32_t ViewRowCount() const override { return cursor_->RowCount(); }
    bool CanModify() const override { return canModify_; }
    bool EditsForbidden() const override { return stored_->EditsDisabled(); }
    bool InsertsForbidden() const override { return stored_->InsertsDisabled(); }
    bool DeletesForbidden() const override { return stored_->DeletesDisabled(); }
    bool IsChangeSet() const override { return stored_->IsDelta(); }
    void FillAggregates(RowBuffer& buffer) override;

private:
    // Where the stored table in stored_ came from, which decides what a failed open or a close
    // does with it.
    enum class Origin { None, Created, Loaded, Kept, Unsaved };

    void ProvideStoredTable();
    std::vector<TFieldDef> FieldDefsOfDeclaredFields() const;
    void RefreshFieldDefs();
    void CreateDefaultFields();
    void BindFields();
    void BindDataField(TField& field);
    void CopyCursorRow(RowBuffer& buffer) const;
    void PositionCursorForInsert(const RowBuffer& buffer);

    // ---- Aggregates (TCustomMemTable_aggregates.cpp) ------------------------------------
    // Puts the aggregates in use onto the cursor's orders; run at open, after every change of
    // order and when AggregatesActive turns true.
    void ActivateAggregates();

    std::string fileName_;
    bool readOnly_ = false;
    bool aggregatesActive_ = false;
    std::string indexSlot_;
    bool indexIsFields_ = false;
    std::string filter_;
    bool filtered_ = false;
    std::vector<TFieldDef> fieldDefs_;
    std::vector<TIndexDef> indexDefs_;
    bool storeDefs_ = false;

    std::unique_ptr<STBASE> stored_;  // declared before the cursor, which must go first
    std::unique_ptr<STCursor> cursor_;
    Origin origin_ = Origin::None;
    bool keepOnClose_ = false;
    bool savedOnClose_ = false;
    bool markedReadOnly_ = false;
    bool canModify_ = false;
};

}  // namespace velmora::store
