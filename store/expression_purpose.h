#pragma once
// What an expression is parsed for, and the filter options that shape its text comparisons.

#include <cstdint>

namespace velmora::store {

// filter: a table's Filter (arithmetic and functions allowed, result boolean);
// search: the condition SeekRow builds (no arithmetic, no functions, result boolean);
// aggregate: an aggregate field's expression (result of aggregate scope; the columns it
// reads are recorded).
enum class ExpressionPurpose : uint8_t { Filter, Search, Aggregate };

enum FilterOption : uint8_t {
    foCaseInsensitive = 1,   // text =, <> and LIKE ignore letter case
    foNoPartialCompare = 2,  // a trailing "*" in a text constant is an ordinary character
};
using FilterOptions = uint8_t;  // FilterOption bits

}  // namespace velmora::store
