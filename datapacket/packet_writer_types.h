#pragma once
// The "fieldtype" names the XML writer gives stored types, and the parameter names that are
// written as attributes.

#include <optional>
#include <string_view>

#include "store/column_description.h"
#include "store/stored_type.h"

namespace velmora::datapacket {

// The XML name of a column or parameter type; none for the types that XML cannot carry
// (unsigned 8-byte integers, 10-byte reals, structured, array and reference columns, arrays
// of anything but integers).
std::optional<std::string_view> XmlTypeName(store::StoredType type);

// Whether the parameter is written as an attribute (of FIELD or PARAMS) rather than as a PARAM
// child: a name the reader knows, which it then reads in a type of the same XML name, and no
// Roundtrip mark (an attribute cannot carry it). Anything else would not read back equal.
bool WrittenAsAttribute(const store::Parameter& parameter, bool tableLevel);

// Raises EStoreError(kCodeBadMetadata) for a WIDTH or DECIMALS above 32767: XML reads them as
// "i2", where a binary packet's 2-byte unsigned value would come back negative.
void CheckXmlSmallNumber(uint16_t value);

}  // namespace velmora::datapacket
