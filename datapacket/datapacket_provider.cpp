#include "datapacket/datapacket_provider.h"

#include "datapacket/packet_files.h"
#include "platform/file_system.h"

namespace velmora::datapacket {

bool DatapacketProvider::FileExists(const std::string& path) const {
    return platform::FileExists(path);
}

std::unique_ptr<store::STBASE> DatapacketProvider::LoadStoredTable(const std::string& path) {
    return LoadPacketFile(path);
}

void DatapacketProvider::SaveStoredTable(const store::STBASE& table, const std::string& path,
                                         store::PacketFormat format) {
    SavePacketFile(table, path, format);
}

void InstallDatapacketProvider() {
    // Never destroyed: a table may still close (and save) while static objects go.
    static DatapacketProvider* const provider = new DatapacketProvider;
    store::InstallPacketProvider(provider);
}

}  // namespace velmora::datapacket
