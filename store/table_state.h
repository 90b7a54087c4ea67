#pragma once
// The edit state of a table. Active is true in every state but Inactive.

namespace velmora::store {

enum class TableState {
    Inactive,     // closed
    Browse,       // open, no pending row
    Editing,      // the current row is being changed
    Inserting,    // a new row is being built
    Calculating,  // transient: the calculated fields of one row buffer are being computed
    Filtering,    // transient: a record-filter callback judges a row
};

constexpr bool IsEditState(TableState state) {
    return state == TableState::Editing || state == TableState::Inserting;
}

}  // namespace velmora::store
