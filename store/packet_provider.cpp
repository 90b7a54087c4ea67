#include "store/packet_provider.h"

namespace velmora::store {

namespace {

PacketProvider* installed = nullptr;

}  // namespace

void InstallPacketProvider(PacketProvider* provider) {
    installed = provider;
}

PacketProvider* InstalledPacketProvider() {
    return installed;
}

}  // namespace velmora::store
