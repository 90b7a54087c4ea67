#pragma once
// The description of an index of a stored table, with its key columns already resolved to
// column numbers: what CreateEmpty hands over from the declared indexes, and what a key list
// parameter (DEFAULT_ORDER, UNIQUE_KEY, PRIMARY_KEY) of a file says.

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::store {

struct KeyColumn {
    uint16_t column = 0;  // 0-based column number
    bool descending = false;
    bool caseInsensitive = false;

    friend bool operator==(const KeyColumn&, const KeyColumn&) = default;
};

struct IndexDescription {
    std::string name;             // at most 31 characters
    std::vector<KeyColumn> keys;  // at most 16
    bool unique = false;
    bool primary = false;

    friend bool operator==(const IndexDescription&, const IndexDescription&) = default;
};

// The name of the order every stored table has.
inline constexpr char kDefaultOrderName[] = "DEFAULT_ORDER";

}  // namespace velmora::store
