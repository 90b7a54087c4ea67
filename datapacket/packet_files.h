#pragma once
// Reading a stored table from a datapacket, and the files a table loads and saves.

#include <memory>
#include <string>
#include <string_view>

#include "store/STBASE.h"
#include "store/packet_provider.h"

namespace velmora::datapacket {

// The stored table a whole datapacket (binary or XML, told by content) describes. Raises
// EStoreError with the reader's or the stored table's code when it is not a valid one.
std::unique_ptr<store::STBASE> StoredTableOfPacket(std::string_view packet);

// The XML mode word a save in `format` to `path` uses: pfBinary means XML (mode 5) for a name
// whose extension (from the last "." after the last "/") is ".xml" in any letter case, and
// the binary form otherwise.
int ModeForFile(const std::string& path, store::PacketFormat format);

// The file read whole under a shared lock; nullptr when it is empty. Raises EFOpenError when
// it cannot be read, EStoreError when it is no valid datapacket.
std::unique_ptr<store::STBASE> LoadPacketFile(const std::string& path);

// Writes the table to the file, replacing it as one piece. The file is locked (or created)
// before the packet is built, so "Cannot create file" comes first; when the packet cannot be
// built (EStoreError) or written (EFCreateError, also for a short write) the file keeps its
// previous content, and a file created for the save is removed again.
void SavePacketFile(const store::STBASE& table, const std::string& path,
                    store::PacketFormat format);

}  // namespace velmora::datapacket
