#pragma once
// The channel through which a bound control follows a table. A control owns a DataLink,
// attaches it to a TDataSource, and is told by the table when the table opens or closes, when
// the current row or the rows of the window change, when its state changes and when a field
// of the current row changes. The table also asks it to settle, to write its pending typed
// text into the fields, and how many rows it shows (the table keeps that many row buffers).

namespace velmora::store {

class TDataSource;
class TField;

class DataLink {
public:
    DataLink() = default;
    DataLink(const DataLink&) = delete;
    DataLink& operator=(const DataLink&) = delete;
    // Detaches from its source.
    virtual ~DataLink();

    TDataSource* Source() const { return source_; }
    // Attaches to source (or detaches, with nullptr); the table resizes its row window.
    void SetSource(TDataSource* source);

    // Rows the control shows at once (a grid's visible rows); at least 1.
    virtual int RowsShown() const { return 1; }
    // A control whose RowsShown changed calls this so the table resizes its row window.
    void RowsShownChanged();

    // Announcements (the table calls these through the source).
    virtual void ActiveChanged() {}            // the table opened or closed
    virtual void RowsChanged() {}              // current row or window rows changed
    virtual void StateChanged() {}             // the edit state changed
    virtual void FieldChanged(TField& field);  // a field of the current row changed
    // Leave any transient input state (before a move, post or cancel).
    virtual void Settle() {}
    // Write pending typed text into the fields (FlushControls).
    virtual void FlushPendingText() {}
    // Give the focus to the control of field; false when this control does not show it.
    virtual bool FocusField(TField& field);

private:
    friend class TDataSource;
    TDataSource* source_ = nullptr;
};

}  // namespace velmora::store
