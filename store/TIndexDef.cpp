#include "store/TIndexDef.h"

#include "platform/errors.h"
#include "store/field_names.h"

namespace velmora::store {

namespace {

constexpr size_t kMaxKeyColumns = 16;
constexpr size_t kMaxIndexName = 31;

uint16_t ColumnNamed(const std::vector<StoredColumn>& columns, const std::string& name,
                     const std::string& tableName) {
    for (size_t i = 0; i < columns.size(); ++i)
        if (SameFieldName(columns[i].name, name)) return static_cast<uint16_t>(i);
    DatabaseError(FillMessage("Field '%s' not found", {name}), tableName);
}

// Sets `flag` on the keys named in list, or on every key when list is empty and allKeys is set.
void MarkKeys(std::vector<KeyColumn>& keys, const std::vector<StoredColumn>& columns,
              const std::string& list, bool allKeys, bool KeyColumn::*flag,
              const std::string& tableName) {
    std::vector<std::string> names = SplitFieldList(list);
    if (names.empty()) {
        if (allKeys)
            for (KeyColumn& key : keys) key.*flag = true;
        return;
    }
    for (const std::string& name : names) {
        KeyColumn* found = nullptr;
        for (KeyColumn& key : keys)
            if (SameFieldName(columns[key.column].name, name)) found = &key;
        if (!found) DatabaseError(FillMessage("Cannot access index field '%s'", {name}), tableName);
        found->*flag = true;
    }
}

}  // namespace

IndexDescription IndexDescriptionOf(const TIndexDef& def, const std::vector<StoredColumn>& columns,
                                    const std::string& tableName) {
    IndexDescription index;
    index.name = def.Name.substr(0, kMaxIndexName);
    for (const std::string& name : SplitFieldList(def.Fields)) {
        if (index.keys.size() == kMaxKeyColumns) break;
        index.keys.push_back(KeyColumn{ColumnNamed(columns, name, tableName)});
    }
    MarkKeys(index.keys, columns, def.DescFields, (def.Options & ixDescending) != 0,
             &KeyColumn::descending, tableName);
    MarkKeys(index.keys, columns, def.CaseInsFields, (def.Options & ixCaseInsensitive) != 0,
             &KeyColumn::caseInsensitive, tableName);
    index.unique = (def.Options & ixUnique) != 0;
    index.primary = (def.Options & ixPrimary) != 0;
    return index;
}

}  // namespace velmora::store
