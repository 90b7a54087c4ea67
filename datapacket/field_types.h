#pragma once
// The names of the XML form for stored types and parameter types, and what a SUBTYPE means
// to the converters.

#include <cstdint>
#include <string_view>

#include "store/stored_type.h"

namespace velmora::datapacket {

// The stored type of a "fieldtype" (or PARAM "Type") name, matched without regard to case:
// "IntArray" and "UIntArray" as written; then the first letter selects the group; in the
// "i" group the second character gives the size ("1", "2", "4", "8", anything else 4), in
// the "u" group the third; in the "f" group every name but "fixedFMT" is "fixed"; the other
// names must match whole. False for a name that no rule knows.
bool StoredTypeOfName(std::string_view name, store::StoredType& type);

// The type in which a parameter's attribute text is read, by the parameter's name (matched
// without regard to case). Unknown names are text, except MD_FIELDLINKS at table level.
store::StoredType ParameterTypeOf(std::string_view name, bool tableLevel);

// The types named "string", "IntArray" and "UIntArray".
inline constexpr store::StoredType kStringType{store::StoredKind::Text, 1, true};
inline constexpr store::StoredType kIntArrayType{store::StoredKind::SignedInt, 4, false, true};
inline constexpr store::StoredType kUIntArrayType{store::StoredKind::UnsignedInt, 4, false, true};

// The stored type of a blob in the binary form: bytes with a 4-byte length prefix.
bool IsBlobType(store::StoredType type);

// Case-insensitive equality of ASCII names.
bool SameName(std::string_view a, std::string_view b);

}  // namespace velmora::datapacket
