#pragma once
// What the reader itself checks and takes from parameters, in both packet forms.

#include "datapacket/FLDConv.h"
#include "store/column_description.h"

namespace velmora::datapacket {

// The stored table's own checks (store/stored_table_parameters.h), made as the parameter is
// read: raises EStoreError(kCodeBadStructure) for a key list (DEFAULT_ORDER, UNIQUE_KEY,
// PRIMARY_KEY) that is not an array of integers or holds a 0, or a CHANGE_LOG that is not an
// array of 4-byte integers holding at least one whole triple (table level), and for a
// SUBTYPE that is not text (field level).
void CheckParameter(const store::Parameter& parameter, bool tableLevel);

// What the field-level parameters say about a column's values.
struct FieldParameters {
    ColumnFormat format;
    bool hasSubtype = false;  // a SUBTYPE was given, known or not
};

// Takes WIDTH, DECIMALS and SUBTYPE (a known name gives its number) into `fields`.
void ApplyFieldParameter(const store::Parameter& parameter, FieldParameters& fields);

// DATASET_DELTA or DELTA with a true value: the table is a change set.
bool MarksChangeSet(const store::Parameter& parameter);

}  // namespace velmora::datapacket
