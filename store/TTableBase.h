#pragma once
// The table as a state machine over a current row: opening and closing, moving through the
// rows of the current view, editing, appending, posting and cancelling, the events on the way
// and the window of row buffers that bound controls read. Where rows come from and go to (the
// stored table and its cursor) is left to the derived class, through the hooks below.
//
// Errors are raised, never returned. The table's own checks raise EDatabaseError, prefixed
// "<Name>: " when the table has a name; refusals of the stored table pass as EStoreError.
// RaiseAbort raises the silent EAbort.
//
// Events run synchronously inside the operation that fires them, in the order the operations
// below document; a handler may operate on other tables.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/errors.h"
#include "store/TField.h"
#include "store/row_buffer.h"
#include "store/table_state.h"

namespace velmora::store {

class TDataSource;
class TTableBase;

using TableEvent = std::function<void(TTableBase&)>;
// What an error event asks for an operation that raised EDatabaseError.
enum class ErrorAction { Fail, Abort, Retry };
using TableErrorEvent = std::function<ErrorAction(TTableBase&, const EDatabaseError&)>;

class TTableBase {
public:
    explicit TTableBase(std::string name);
    TTableBase(const TTableBase&) = delete;
    TTableBase& operator=(const TTableBase&) = delete;
    // Leaves its data sources. REQUIRES: the derived class closed the table.
    virtual ~TTableBase();

    // ---- Properties ---------------------------------------------------------------------
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    bool Active() const { return state_ != TableState::Inactive; }
    void SetActive(bool active);
    TableState CurrentState() const { return state_; }
    // Free integer for the application; the table never reads it.
    int32_t Tag() const { return tag_; }
    void SetTag(int32_t tag) { tag_ = tag; }
    // Recompute the calculated fields after every data-field write of the pending row.
    bool AutoCalcFields() const { return autoCalcFields_; }
    void SetAutoCalcFields(bool on) { autoCalcFields_ = on; }
    // A field of the pending row was written since BeginEdit, InsertRow or AppendRow.
    bool RowModified() const { return rowModified_; }
    bool AtStart() const { return atStart_; }  // at the first row of the view
    bool AtEnd() const { return atEnd_; }      // past the last row of the view

    // ---- Fields ---------------------------------------------------------------------------
    // Declares a field; aggregate fields go to their own list. Returns the new field.
    // REQUIRES: the table is closed.
    template <typename Field, typename... Args>
    Field& AddField(Args&&... args) {
        auto field = std::make_unique<Field>(std::forward<Args>(args)...);
        Field& added = *field;
        AdoptField(std::move(field));
        return added;
    }
    const std::vector<std::unique_ptr<TField>>& Fields() const { return fields_; }
    const std::vector<std::unique_ptr<TField>>& AggregateFields() const { return aggregates_; }
    // Case-insensitive search of the fields, then the aggregate fields. FieldNamed raises
    // "Field '%s' not found" (with the name asked for) when there is no match.
    TField& FieldNamed(std::string_view name) const;
    TField* FindFieldNamed(std::string_view name) const;

    // ---- Opening and closing ----------------------------------------------------------------
    // BeforeOpen; the stored table is provided, fields bound, the first rows fetched (each
    // with OnCalcFields); Browse; AfterOpen; AfterScroll when the view is not empty. A failure
    // before Browse leaves the table closed. Nothing when already open.
    void OpenTable();
    // BeforeClose; Inactive (a pending row is dropped, not posted); the data is saved or kept
    // as the derived class decides; AfterClose. Nothing when already closed.
    void CloseTable();

    // ---- Moving (each settles first; "Cannot perform this operation on a closed dataset") --
    void GoFirst();
    void GoLast();
    void GoNext() { MoveRows(1); }
    void GoPrior() { MoveRows(-1); }
    // Moves up to |distance| rows inside one BeforeScroll/AfterScroll pair; returns the rows
    // actually moved (signed). At the end (start) already: 0 and no AfterScroll.
    int MoveRows(int distance);
    bool IsEmptyView() const { return held_ == 0; }
    // Rows of the current view; 0 when closed.
    uint32_t RowCount() const;

    // ---- Editing ----------------------------------------------------------------------------
    // A pending row is posted when a field was written, else cancelled.
    // REQUIRES nothing; raises "Cannot perform this operation on a closed dataset" when closed.
    void SettleEdit();
    // Editing the current row; on an empty view InsertRow instead. Nothing in Editing/Inserting.
    void BeginEdit();
    void AppendRow();  // a new row after the last row
    void InsertRow();  // a new row before the current row
    // Commits the pending row; "Dataset not in edit or insert mode" outside Editing/Inserting.
    // A failure leaves the state and the pending row as they were.
    void PostRow();
    // Discards the pending row; nothing outside Editing/Inserting.
    void CancelEdit();
    // Deletes the current row (in Inserting: cancels instead).
    void DeleteRow();
    [[noreturn]] static void RaiseAbort();

    // ---- Events -----------------------------------------------------------------------------
    TableEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TableEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    TableEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
    TableEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    TableEvent OnCalcFields, OnNewRecord;
    TableErrorEvent OnPostError, OnEditError, OnDeleteError;

    // ---- Row window (what bound controls read) -------------------------------------------
    // Buffers kept: the most rows a bound control shows (at least 1), plus one spare.
    int BufferCount() const { return windowRows_ + 1; }
    int WindowRowCount() const { return held_; }
    int CurrentWindowRow() const { return held_ ? current_ : -1; }
    // While it lives, fields read window row `row` instead of the current row.
    // REQUIRES: 0 <= row < WindowRowCount().
    class WindowRowScope {
    public:
        WindowRowScope(TTableBase& table, int row);
        ~WindowRowScope();
        WindowRowScope(const WindowRowScope&) = delete;
        WindowRowScope& operator=(const WindowRowScope&) = delete;

    private:
        TTableBase& table_;
        const RowBuffer* saved_;
    };

    // ---- Field side (used by TField) ------------------------------------------------------
    // The buffer fields read; nullptr without a current row.
    const RowBuffer* ReadBuffer() const;
    // The field-write step. REQUIRES: field belongs to this table.
    void WriteField(TField& field, const Value& value);

    // ---- Data sources ---------------------------------------------------------------------
    void SourceAttached(TDataSource& source);
    void SourceDetached(TDataSource& source);
    // Sizes the row window after the bound controls' needs changed.
    void ResizeWindow();

protected:
    enum class Direction { Forward, Backward };
    enum class StoreRelease { Closed, SaveFailed, OpenFailed };

    // Steps 2 to 6 of opening: provide the stored table, open the cursor, bind the fields (see
    // SetBufferLayout), apply order and filter, leave the cursor before the first row.
    virtual void OpenStore() = 0;
    // Writes the data to its file when closing, if it must.
    virtual void SaveOnClose() = 0;
    // Releases the cursor, keeping or releasing the stored table.
    virtual void ReleaseStore(StoreRelease why) = 0;
    // Moves the cursor one row and copies it into buffer (image, bookmark, state byte);
    // false at the start or end of the view.
    virtual bool FetchRow(Direction direction, RowBuffer& buffer) = 0;
    // Copies the cursor's row; false when the cursor is not on a row.
    virtual bool ReadCursorRow(RowBuffer& buffer) = 0;
    virtual void CursorToBegin() = 0;
    virtual void CursorToEnd() = 0;
    // False (cursor unmoved) when the row is not in the view.
    virtual bool CursorToBookmark(const Bookmark& bookmark) = 0;
    // An empty row image (every column null).
    virtual RowImage NewRowImage() = 0;
    // Writes the pending row to the stored table: modifies the row (editing) or inserts it.
    // Afterwards the cursor is on the stored row, or where the row would have been.
    virtual void StoreRow(const RowBuffer& buffer, bool inserting) = 0;
    // Deletes the row of buffer; afterwards the cursor is between its neighbours.
    virtual void DeleteStoredRow(const RowBuffer& buffer) = 0;
    virtual uint32_t ViewRowCount() const = 0;
    // Whether rows may be changed at all, and the stored table's edit permissions.
    virtual bool CanModify() const = 0;
    virtual bool EditsForbidden() const = 0;
    virtual bool InsertsForbidden() const = 0;
    virtual bool DeletesForbidden() const = 0;
    // A change set is posted without events and without refill.
    virtual bool IsChangeSet() const = 0;
    // Fills the aggregate area of a buffer entering the window.
    virtual void FillAggregates(RowBuffer& buffer) = 0;

    // Sizes of the calculated and aggregate areas (called while binding).
    void SetBufferLayout(size_t calculatedCount, size_t aggregateCount);
    void AdoptField(std::unique_ptr<TField> field);
    // The first `count` fields were made for a table that declares none; closing drops them.
    void MarkDefaultFields(size_t count) { defaultFieldCount_ = count; }
    void DropDefaultFields();

    // Error with this table's name in front.
    [[noreturn]] void Fail(const std::string& message) const;
    [[noreturn]] void CheckActiveFailed() const;
    void CheckActive() const {
        if (!Active()) CheckActiveFailed();
    }

    void Fire(const TableEvent& event) {
        if (event) event(*this);
    }

    // ---- For changes of the view (order, filter, search) by the derived class -------------
    // Puts the cursor on the current row (before the first row when the window is empty).
    void PositionCursorOnCurrentRow();
    // Re-reads the window around the cursor's row (or, when the cursor is between rows or off the
    // view, the next row, else the prior one), that row becoming current at window row keepIndex
    // where the rows around it allow.
    void RefillWindow(int keepIndex);
    // After the view changed under the window: the cursor's row stays current at its window row,
    // its neighbours re-read in the view's order; bound controls are told. No scroll events.
    void RefillKeepingPlace();
    // The cursor's row becomes current, centred in the refilled window; bound controls are told.
    // "Record not found" when the cursor has no row to read.
    void RefillCentredOnCursorRow();
    // Runs judge with `row` as the row that fields read, in state Filtering.
    bool JudgeRow(const RowView& row, const std::function<bool(TTableBase&)>& judge);

private:
    friend class WindowRowScope;

    // Window (TTableBase_window.cpp)
    void AllocateWindow();
    void ReleaseWindow();
    void ClearWindow();
    void PrepareBuffer(RowBuffer& buffer) const;
    bool FetchIntoWindow(Direction direction);
    void FillWindow(Direction direction);
    void RefillAt(BookmarkFlag flag, std::optional<Bookmark> bookmark, int keepIndex);
    void TrimWindow(int rows);
    template <typename Move>
    void Scroll(Move move);
    bool StepOneRow(bool forward);
    RowBuffer& Current() { return buffers_[static_cast<size_t>(current_)]; }

    // Calculated fields (TTableBase_fields.cpp)
    void CalculateFields(RowBuffer& buffer);
    void RecalculateCurrent();

    // Announcements
    void SetState(TableState state);
    void AnnounceRows();
    void AnnounceActive();
    void AnnounceField(TField& field);
    void SettleControls();
    void FlushControls();
    template <typename Operation>
    void RunWithErrorEvent(const TableErrorEvent& handler, Operation operation);

    void StartNewRow(bool append);
    void PlaceNewRow(bool append);
    void PrepareNewRow(RowBuffer& buffer);
    void CheckRequiredFields();
    void ReleaseAll(StoreRelease why);

    std::string name_;
    TableState state_ = TableState::Inactive;
    int32_t tag_ = 0;
    bool autoCalcFields_ = true;
    bool rowModified_ = false;
    bool atStart_ = true;
    bool atEnd_ = true;
    bool recalculating_ = false;

    std::vector<std::unique_ptr<TField>> fields_;
    std::vector<std::unique_ptr<TField>> aggregates_;
    size_t defaultFieldCount_ = 0;
    size_t calculatedCount_ = 0;
    size_t aggregateCount_ = 0;

    std::vector<TDataSource*> sources_;
    int windowRows_ = 1;
    std::vector<RowBuffer> buffers_;  // [0, held_) rows of the window, then spares
    int held_ = 0;
    int current_ = 0;
    int cursorAt_ = -1;  // window row the cursor is on; -1 when not known
    RowBuffer* calculating_ = nullptr;
    const RowBuffer* readOverride_ = nullptr;
};

// An operation guarded by an error event: the event may retry it, turn the error into the
// silent abort, or let it fail.
template <typename Operation>
void TTableBase::RunWithErrorEvent(const TableErrorEvent& handler, Operation operation) {
    while (true) {
        try {
            operation();
            return;
        } catch (const EDatabaseError& error) {
            if (!handler) throw;
            ErrorAction action = handler(*this, error);
            if (action == ErrorAction::Retry) continue;
            if (action == ErrorAction::Abort) throw EAbort();
            throw;
        }
    }
}

}  // namespace velmora::store
