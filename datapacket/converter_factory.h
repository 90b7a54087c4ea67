#pragma once
// The converter for a column or parameter of a given stored type.

#include <memory>
#include <string>

#include "datapacket/FLDConv.h"
#include "datapacket/entities.h"

namespace velmora::datapacket {

// Raises EStoreError(kCodeUnknownFieldType) for a type without converter (a kind it does not
// know, a size the kind does not have, an array of length-prefixed or, in XML, non-integer
// elements) and EStoreError(kCodeBadStructure) for a decimal scale above 32. `wideBytes`
// tells an XML converter of wide text how plain bytes of the document become units.
std::unique_ptr<FLDConv> CreateConverter(std::string attrName, const ColumnFormat& format,
                                         PacketForm form, WideBytes wideBytes = WideBytes::Latin1);

}  // namespace velmora::datapacket
