#pragma once
// What a datapacket says about one column and one parameter: the hand-over between the
// packet reader/writer and the stored table.

#include <cstdint>
#include <string>
#include <vector>

#include "store/stored_type.h"

namespace velmora::store {

// Column attribute bits.
enum ColumnAttribute : uint16_t {
    kColumnHidden = 1,
    kColumnReadOnly = 2,
    kColumnRequired = 4,
    kColumnLink = 8,
    kColumnInAttribute = 16,  // reader only: the value stands among the ROW attributes
};

// A parameter: a named value in the stored form of its type (see stored_type.h). Text
// values hold their bytes without terminator.
struct Parameter {
    std::string name;
    StoredType type;
    std::string value;
    bool roundtrip = false;  // to be sent back to its origin (a PARAM with "Roundtrip")

    friend bool operator==(const Parameter&, const Parameter&) = default;
};

struct ColumnDescription {
    std::string name;  // at most 31 characters
    StoredType type;
    uint16_t attributes = 0;

    friend bool operator==(const ColumnDescription&, const ColumnDescription&) = default;
};

}  // namespace velmora::store
