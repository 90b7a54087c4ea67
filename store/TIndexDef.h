#pragma once
// An index definition: a declared order of a table. CreateEmpty hands the definitions to the
// stored table; naming one in IndexName creates it on first use.

#include <cstdint>
#include <string>
#include <vector>

#include "store/stored_table_column.h"
#include "store/stored_table_index_description.h"

namespace velmora::store {

enum IndexOption : uint8_t {
    ixPrimary = 1,
    ixUnique = 2,
    ixDescending = 4,
    ixCaseInsensitive = 8,
    ixExpression = 16,
};

struct TIndexDef {
    std::string Name;
    std::string Fields;         // field names separated by ";"
    std::string DescFields;     // fields sorted descending
    std::string CaseInsFields;  // text fields compared without regard to letter case
    uint8_t Options = 0;        // IndexOption bits
};

// The stored index a definition declares, its fields resolved to columns: at most 16 key
// columns (later ones are ignored); every key descending when ixDescending is set and
// DescFields is empty, else the DescFields ones; the same for ixCaseInsensitive and
// CaseInsFields; the name cut to 31 characters.
// Errors (EDatabaseError with tableName in front): a field without a column "Field '%s' not
// found"; a DescFields or CaseInsFields name that is not a key "Cannot access index field '%s'".
IndexDescription IndexDescriptionOf(const TIndexDef& def, const std::vector<StoredColumn>& columns,
                                    const std::string& tableName);

}  // namespace velmora::store
