#pragma once
// The parameters a stored table's packet carries, in the order they are written.

#include <vector>

#include "datapacket/FLDConv.h"
#include "store/STBASE.h"

namespace velmora::datapacket {

// SUBTYPE, DECIMALS, WIDTH and CALCULATED as the column holds them, then the column's stored
// parameters in their order. The types are those the reader of `form` gives them back in.
std::vector<store::Parameter> FieldLevelParameters(const store::StoredColumn& column,
                                                   PacketForm form);

// DEFAULT_ORDER with UNIQUE_KEY or PRIMARY_KEY (from the table layer's index named
// DEFAULT_ORDER), CHANGE_LOG, AUTOINCVALUE and MD_FIELDLINKS (not for a change set), then the
// table's stored parameters in their order.
// REQUIRES: the table's lock is held.
std::vector<store::Parameter> TableLevelParameters(const store::STBASE& table, PacketForm form);

// The converter format of a column.
ColumnFormat FormatOf(const store::StoredColumn& column);

}  // namespace velmora::datapacket
