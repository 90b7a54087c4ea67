// The orders a stored table is created or loaded with.
#include <algorithm>
#include <string>
#include <vector>

#include "store/STIDX.h"
#include "store/stored_table_parameters.h"

namespace velmora::store {
namespace {

IndexDescription* Named(std::vector<IndexDescription>& descriptions, std::string_view name) {
    auto it = std::find_if(descriptions.begin(), descriptions.end(),
                           [&](const IndexDescription& d) { return d.name == name; });
    return it == descriptions.end() ? nullptr : &*it;
}

// A key list matches the default order when it names the same columns in the same order with
// the same case-insensitive marks; the descending marks do not count.
bool SameKeyColumns(const std::vector<KeyColumn>& a, const std::vector<KeyColumn>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](KeyColumn x, KeyColumn y) {
        return x.column == y.column && x.caseInsensitive == y.caseInsensitive;
    });
}

// UNIQUE_KEY and PRIMARY_KEY of a loaded table mark its keyed default order, or make an index
// of their own when they differ from it.
void AddKeyListIndexes(const STBASE& table, std::vector<IndexDescription>& descriptions) {
    for (const Parameter& parameter : table.TableParameters()) {
        const bool primary = IsParameterNamed(parameter, "PRIMARY_KEY");
        if (!primary && !IsParameterNamed(parameter, "UNIQUE_KEY")) continue;
        const std::vector<KeyColumn> keys = ParseKeyList(parameter, table.Columns().size());
        IndexDescription* order = Named(descriptions, kDefaultOrderName);
        if (order && !order->keys.empty() && SameKeyColumns(order->keys, keys)) {
            order->unique = true;
            order->primary = order->primary || primary;
        } else {
            descriptions.push_back(
                IndexDescription{primary ? "PRIMARY_KEY" : "UNIQUE_KEY", keys, true, primary});
        }
    }
}

}  // namespace

void InstallDescribedIndexes(STBASE& table) {
    auto lock = table.Lock();
    std::vector<IndexDescription> descriptions = table.IndexDescriptions();
    if (!Named(descriptions, kDefaultOrderName) && !table.DefaultOrderKey().empty())
        descriptions.insert(descriptions.begin(),
                            IndexDescription{kDefaultOrderName, table.DefaultOrderKey()});
    AddKeyListIndexes(table, descriptions);
    std::vector<std::string> built;
    for (IndexDescription& description : descriptions) {
        const STIDX* source = SourceIndexFor(table, description.keys, built);
        std::unique_ptr<STIDX> index = STIDX::Build(table, std::move(description), source);
        built.push_back(index->Name());
        table.InstallOrder(std::move(index));
    }
}

}  // namespace velmora::store
