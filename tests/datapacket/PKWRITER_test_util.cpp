#include "PKWRITER_test_util.h"

#include "datapacket/packet_files.h"
#include "datapacket/packet_writer_table.h"
#include "packet_test_util.h"

namespace velmora::datapacket::testing {

std::string WrittenDocument(std::string_view fields, std::string_view params,
                            std::string_view rows) {
    return std::string(kAnsiDeclaration) + Document(fields, rows, params);
}

std::unique_ptr<store::STBASE> TableOf(std::string_view packet) {
    return StoredTableOfPacket(packet);
}

std::string Rewritten(std::string_view packet, int mode) {
    return WritePacket(*TableOf(packet), mode);
}

}  // namespace velmora::datapacket::testing
