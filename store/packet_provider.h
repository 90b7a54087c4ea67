#pragma once
// How a table reaches its file. The stored table knows nothing of files: the datapacket layer
// implements this interface and the program installs it once at start; a table with a
// FileName loads and saves through it.

#include <memory>
#include <string>

#include "store/STBASE.h"

namespace velmora::store {

// The format argument of saving. pfBinary means: by the file name (".xml" in any letter case
// is written as XML, anything else in the binary form).
enum PacketFormat { pfBinary, pfXml, pfXmlUtf8 };

class PacketProvider {
public:
    virtual ~PacketProvider() = default;

    // Whether a file of that name exists (paths are UTF-8 bytes).
    virtual bool FileExists(const std::string& path) const = 0;
    // The stored table read from the whole file; nullptr when the file is empty. Raises the
    // file error when it cannot be read, and the packet's error code when it is not a valid
    // datapacket.
    virtual std::unique_ptr<STBASE> LoadStoredTable(const std::string& path) = 0;
    // Writes the whole table (every slot with its state byte, the change log) to the file,
    // replacing it. Raises the file error when it cannot be created.
    virtual void SaveStoredTable(const STBASE& table, const std::string& path,
                                 PacketFormat format) = 0;
};

// REQUIRES: provider outlives every table that opens or closes while it is installed.
void InstallPacketProvider(PacketProvider* provider);
// nullptr until one is installed.
PacketProvider* InstalledPacketProvider();

}  // namespace velmora::store
