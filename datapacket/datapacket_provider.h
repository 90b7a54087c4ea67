#pragma once
// The packet provider the program installs: tables load and save their files as datapackets
// (packet_files.h).

#include "store/packet_provider.h"

namespace velmora::datapacket {

class DatapacketProvider final : public store::PacketProvider {
public:
    bool FileExists(const std::string& path) const override;
    std::unique_ptr<store::STBASE> LoadStoredTable(const std::string& path) override;
    void SaveStoredTable(const store::STBASE& table, const std::string& path,
                         store::PacketFormat format) override;
};

}  // namespace velmora::datapacket
