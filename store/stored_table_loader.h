#pragma once
// Builds a stored table from what the datapacket reader reads, in the reader's order: all
// columns with their field-level parameters, then the table parameters, then the rows.
//
// Finish() applies them in this order: lays out the columns; creates DEFAULT_ORDER without key
// fields; applies the table parameters (CHANGE_LOG, AUTOINCVALUE, LCID, DATASET_DELTA/DELTA,
// READONLY, DISABLE_EDITS/INSERTS/DELETES, DEFAULT_ORDER key fields; every parameter but
// CHANGE_LOG, AUTOINCVALUE and MD_FIELDLINKS is also kept, in order, except a nameless one and
// one whose text gave no value, which no packet could carry back); fills the slots with the
// rows and their state bytes; builds the orders (a keyed default order from DEFAULT_ORDER, an
// index for a UNIQUE_KEY or PRIMARY_KEY that differs from it); puts the change log in force.
// The changed mark is 0 afterwards.
//
// Field-level parameters: WIDTH (width, or precision of a decimal), DECIMALS (scale), SUBTYPE
// (a known name gives the subtype; Autoinc also makes the column read-only; an unknown name is
// kept), CALCULATED; WIDTH, DECIMALS and CALCULATED only where the column can give them back
// (ColumnHoldsParameter). All others are kept in order.
//
// Errors raise EStoreError: kCodeBadStructure for a column that cannot be laid out, a SUBTYPE
// that is not text, a key list or CHANGE_LOG that is not an array of the right kind, a key list
// naming a missing column, a CHANGE_LOG naming slots that were not loaded;
// kCodeValueOutOfRange for a fixed-size value of the wrong size; kCodeKeyViolation for a
// unique key that two rows share.

#include <cstdint>
#include <memory>
#include <vector>

#include "store/STBASE.h"
#include "store/column_description.h"
#include "store/row_image.h"

namespace velmora::store {

class StoredTableLoader {
public:
    StoredTableLoader();
    ~StoredTableLoader();

    // REQUIRES: before the first AddTableParameter, NewRowImage or AddRow.
    void AddColumn(const ColumnDescription& column, const std::vector<Parameter>& fieldParameters);
    void AddTableParameter(Parameter parameter);

    // An image of the loaded columns with every column null; fill it with PutStored (or
    // SetUnchanged for a value marked unchanged) and hand it to AddRow.
    RowImage NewRowImage();
    // Fills the next slot. In a table that is not a change set, a value marked unchanged in a
    // modified version (state with 8) is taken from the version it replaces by the change log,
    // and is null when the log names none.
    void AddRow(uint8_t state, const RowImage& row);

    // REQUIRES: called once; the loader is spent afterwards.
    std::unique_ptr<STBASE> Finish();

private:
    struct Pending;
    std::unique_ptr<Pending> pending_;
};

}  // namespace velmora::store
