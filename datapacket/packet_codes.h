#pragma once
// The numeric codes that the packet reader raises as EStoreError (platform/errors.h), beside
// the stored table's own (store/store_codes.h: kCodeNoMore, kCodeOutOfMemory,
// kCodeValueOutOfRange, kCodeBadStructure), which it raises too.

#include <cstddef>

#include "platform/errors.h"

namespace velmora::datapacket {

enum PacketCode : int {
    // A type with no field-type name or no converter; a column without "fieldtype".
    kCodeUnknownFieldType = 10000,  // 0x2710
    // A binary column description whose name is empty.
    kCodeColumnWithoutName = 10038,  // 0x2736
    // An element inside METADATA other than FIELDS and PARAMS (the rows cannot be read);
    // nested tables more than 62 levels deep.
    kCodeBadMetadata = 10756,  // 0x2A04
    // Rows without any column description (ROWDATA first, or a binary packet without them).
    kCodeNoMetadata = 16387,  // 0x4003
    // Not a well-formed datapacket: bad tags, nesting, missing elements, truncated data.
    kCodeMalformedPacket = 16389,  // 0x4005
};

[[noreturn]] inline void RaiseMalformed() {
    throw EStoreError(kCodeMalformedPacket);
}

// Element depth that a document may reach, and nested-table depth that a table may reach.
inline constexpr int kMaxElementDepth = 63;
inline constexpr int kMaxNestedTableDepth = 62;

// Column names are kept up to this many characters.
inline constexpr size_t kMaxColumnName = 31;

}  // namespace velmora::datapacket
