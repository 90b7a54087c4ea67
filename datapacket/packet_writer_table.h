#pragma once
// A whole stored table as a datapacket: columns, parameters, rows and change log.

#include <string>

#include "store/STBASE.h"

namespace velmora::datapacket {

// `mode` is an XML mode word of PKWRITER.h (kModeBinary, kModeXml, kModeXmlUtf8). With an
// empty change log the rows of the default order are written (without change logging, the
// current rows only, each with state 0); otherwise every row slot in slot order with its
// state. Raises EStoreError with the writer's failure code.
std::string WritePacket(const store::STBASE& table, int mode);

}  // namespace velmora::datapacket
