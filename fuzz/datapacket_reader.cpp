// The datapacket reader over any bytes, XML or binary as the content says. Reading ends in a
// table or in an EStoreError; a table that reads is written back in every form, and each
// packet written reads again as an equal table (the binary form drops round-trip marks). A write
// may refuse a table only with one of the writer's own codes, and the binary form can carry every
// table.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "datapacket/PKWRITER.h"
#include "datapacket/packet_codes.h"
#include "datapacket/packet_files.h"
#include "datapacket/packet_writer_table.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/stored_table_difference.h"
#include "platform/errors.h"
#include "store/store_codes.h"

using namespace velmora;
using namespace velmora::datapacket;

namespace {

std::unique_ptr<store::STBASE> ReadOrNothing(std::string_view packet) {
    try {
        return StoredTableOfPacket(packet);
    } catch (const EStoreError&) {
        return nullptr;
    }
}

bool IsWriterRefusal(int code, int mode) {
    switch (code) {
        case kCodeNoXmlType:
            return mode != kModeBinary;
        case kCodeUnknownFieldType:
        case kCodeBadMetadata:
        case store::kCodeOutOfMemory:
            return true;
        default:
            return false;
    }
}

void CheckRoundTrip(store::STBASE& table, int mode) {
    std::string packet;
    try {
        packet = WritePacket(table, mode);
    } catch (const EStoreError& error) {
        FUZZ_CHECK(IsWriterRefusal(error.Code(), mode));
        return;
    }
    std::unique_ptr<store::STBASE> again;
    try {
        again = StoredTableOfPacket(packet);
    } catch (const EStoreError& error) {
        std::fprintf(stderr, "mode %d: the written packet fails with %d\n", mode, error.Code());
        FUZZ_CHECK(!"a written packet reads");
    }
    const auto marks =
        mode == kModeBinary ? fuzzing::RoundtripMarks::Ignored : fuzzing::RoundtripMarks::Compared;
    const std::string difference = fuzzing::TableDifference(table, *again, marks);
    if (!difference.empty()) std::fprintf(stderr, "mode %d: %s\n", mode, difference.c_str());
    FUZZ_CHECK(difference.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::unique_ptr<store::STBASE> table = ReadOrNothing(bytes);
    if (!table) return 0;
    for (const int mode : {kModeXml, kModeXmlUtf8, kModeBinary}) CheckRoundTrip(*table, mode);
    return 0;
}
