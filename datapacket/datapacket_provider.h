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

// Installs the process's one provider, which is never destroyed; calling it again installs the
// same one, so every part of the program that needs files may call it.
void InstallDatapacketProvider();

}  // namespace velmora::datapacket
