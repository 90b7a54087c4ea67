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

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/STBASE.h"
#include "store/STCursor.h"
#include "store/STIDX_cursor.h"
#include "store/TAggregate.h"
#include "store/TFieldDef.h"
#include "store/TIndexDef.h"
#include "store/TTableBase.h"
#include "store/expression_purpose.h"
#include "store/expression_tree.h"
#include "store/packet_provider.h"
#include "store/value.h"

namespace velmora::store {

class AggregateSet;

// How SeekRow compares text keys: ignoring letter case; the last key as a prefix.
struct SeekOptions {
    bool CaseInsensitive = false;
    bool PartialKey = false;
};

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
    // On an open table the aggregates are activated again (or dropped) at once.
    void SetAggregatesActive(bool active);

    // ---- Order (TCustomMemTable_order.cpp) ----------------------------------------------
    // IndexFieldNames and IndexName share one slot: setting either replaces the other. On a
    // closed table only the slot changes (opening applies it). On an open one the pending row
    // is settled; an unchanged slot does nothing more; else the cursor takes the new order, the
    // current row stays current among its new neighbours (no scroll events) and the aggregates
    // are activated again. The empty slot is the default order.
    // IndexFieldNames: ";"-separated fields, ascending and case-sensitive; nothing changes when
    // the current order's key already begins with them. Errors: "Field '%s' not found", "Field
    // index out of range" (a field without a stored column).
    std::string IndexFieldNames() const { return indexIsFields_ ? indexSlot_ : std::string(); }
    void SetIndexFieldNames(std::string fields);
    // IndexName: an index of the stored table or of IndexDefs (created from it on first use).
    // Errors: "Index '%s' not found" (order unchanged), those of IndexDescriptionOf.
    std::string IndexName() const { return indexIsFields_ ? std::string() : indexSlot_; }
    void SetIndexName(std::string name);

    // ---- Filter (TCustomMemTable_filter.cpp) --------------------------------------------
    // Stored only, unless the table is open and filtered: then the pending row is settled, a
    // changed text (or options) replaces the expression filter (dropped first, so a text that
    // does not parse leaves the view unfiltered and the old text stored; the same text set
    // again is then applied anew), and GoFirst runs; the text is stored last.
    const std::string& Filter() const { return filter_; }
    void SetFilter(std::string filter);
    store::FilterOptions FilterOptions() const { return filterOptions_; }
    void SetFilterOptions(store::FilterOptions options);
    // On an open table: settles; a change puts on (Filter parsed, OnFilterRecord added) or
    // takes off both filters; GoFirst runs in every case. A Filter that does not parse leaves
    // the table unfiltered.
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool filtered);
    // Asked for each row while the table is filtered (state Filtering, fields read the row
    // judged); true keeps the row. Takes effect when Filtered turns true or the table opens.
    std::function<bool(TTableBase&)> OnFilterRecord;
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

    // ---- Locating (TCustomMemTable_seek.cpp) --------------------------------------------
    // BeforeScroll; settles; the first row of the current view, in view order, whose key fields
    // (";"-separated) hold keyValues (one per field; null matches null) becomes current, centred
    // in the window, and AfterScroll fires: true. Not found: false, the current row, window
    // and state unchanged, no AfterScroll. A single value serves a single key field.
    // Text keys compare in the table's collation; CaseInsensitive ignores letter case;
    // PartialKey matches the last text key as a prefix.
    // Errors: "Field '%s' not found"; "Field '%s' is of an unsupported type" (no table name);
    // "No key value for field '%s'" when fewer values than fields are given.
    bool SeekRow(std::string_view keyFields, const std::vector<Value>& keyValues,
                 SeekOptions options = {});
    bool SeekRow(std::string_view keyFields, const Value& keyValue, SeekOptions options = {});

    // The stored table while the table is open or keeps one; nullptr otherwise.
    const STBASE* StoredTable() const { return stored_.get(); }

protected:
    // Parses text against the table's fields (declared, then aggregate fields) for a purpose,
    // with the separators in force. REQUIRES: the table is open (fields bound).
    ExpressionTree ParseForTable(std::string_view text, ExpressionPurpose purpose,
                                 store::FilterOptions options) const;

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
    void DecidePermissions();

    // Order
    void ChangeOrder(std::string slot, bool isFields);
    void ApplyOrder(const std::string& slot, bool isFields);
    void SortOnFields(const std::string& fields);
    void UseNamedIndex(const std::string& name);

    // Filter
    void ReplaceFilter(const std::string& text, store::FilterOptions options);
    void AddExpressionFilter(const std::string& text, store::FilterOptions options);
    void ApplyFilters();
    void DropFilters();

    // Locating
    bool SeekKeys(std::string_view keyFields, const std::vector<Value>& values, bool array,
                  SeekOptions options);
    std::string SeekCondition(const std::vector<const TField*>& keys,
                              const std::vector<Value>& values, bool array,
                              SeekOptions options) const;
    bool ScanForKey(const ExpressionTree& condition);

    // ---- Aggregates (TCustomMemTable_aggregates.cpp) ------------------------------------
public:
    // The free-standing aggregates (the Aggregates list; the program declares none): the active
    // ones are maintained like the aggregate fields' own from the next activation on.
    TAggregate& AddAggregate();
    const std::vector<std::unique_ptr<TAggregate>>& Aggregates() const { return freeAggregates_; }
    // The value of an aggregate in use for the current row's group; null when it is not in use,
    // while AggregatesActive is false, on an empty view and without a current row.
    Value AggregateValue(const TAggregate& aggregate) const;

private:
    // With AggregatesActive, puts the aggregates in use onto the cursor's order: the active
    // aggregate fields' (one above level 0 only while IndexName is the one it names) and the
    // active free-standing ones; an inactive one with an expression is parsed once, so that its
    // errors show at open. Run at open, after every change of order and when AggregatesActive
    // changes on an open table. A bad expression raises (the parser's message, or EStoreError
    // kCodeCannotCompile) and changes nothing.
    void ActivateAggregates();
    std::vector<TAggregate*> AllAggregates();
    std::optional<int> AddToSet(TAggregate& aggregate, AggregateSet& set) const;
    Value ReadAggregate(const TAggregate& aggregate, const RowBuffer& buffer) const;

    std::vector<std::unique_ptr<TAggregate>> freeAggregates_;

    std::string fileName_;
    bool readOnly_ = false;
    bool aggregatesActive_ = false;
    std::string indexSlot_;
    bool indexIsFields_ = false;
    std::string filter_;
    store::FilterOptions filterOptions_ = 0;
    bool filtered_ = false;
    std::vector<TFieldDef> fieldDefs_;
    std::vector<TIndexDef> indexDefs_;
    bool storeDefs_ = false;

    std::unique_ptr<STBASE> stored_;  // declared before the cursor, which must go first
    std::unique_ptr<STCursor> cursor_;
    std::unique_ptr<CursorOrders> orders_;  // the cursor's order changes; goes before it
    int expressionFilter_ = 0;  // the number of the Filter on the cursor's view; 0: none
    int callbackFilter_ = 0;    // the number of the OnFilterRecord filter; 0: none
    Origin origin_ = Origin::None;
    bool keepOnClose_ = false;
    bool savedOnClose_ = false;
    bool markedReadOnly_ = false;
    bool canModify_ = false;
};

}  // namespace velmora::store
