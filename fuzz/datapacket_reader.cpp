// The datapacket reader over any bytes, XML or binary as the content says. Reading ends in a
// table or in an EStoreError; a table that reads is written back in every form, and each
// packet written reads again as an equal table (see CheckRoundTrip; the binary form drops
// round-trip marks). A write may refuse a table only with one of the writer's own codes, and
// the binary form can carry every table.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "datapacket/PKREADER.h"
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

// The table that `packet` (written by WritePacket) reads as. A written packet always reads.
std::unique_ptr<store::STBASE> ReadWritten(const std::string& packet, int mode) {
    try {
        return StoredTableOfPacket(packet);
    } catch (const EStoreError& error) {
        std::fprintf(stderr, "mode %d: the written packet fails with %d\n", mode, error.Code());
        std::abort();
    }
}

// The packet of `table` in `mode`, or nothing when the writer refuses the table.
std::optional<std::string> Written(store::STBASE& table, int mode) {
    try {
        return WritePacket(table, mode);
    } catch (const EStoreError& error) {
        if (!IsWriterRefusal(error.Code(), mode))
            std::fprintf(stderr, "mode %d: the writer fails with %d\n", mode, error.Code());
        FUZZ_CHECK(IsWriterRefusal(error.Code(), mode));
        return std::nullopt;
    }
}

void CheckEqual(store::STBASE& a, store::STBASE& b, int mode) {
    const auto form = mode == kModeBinary ? fuzzing::PacketForm::Binary : fuzzing::PacketForm::Xml;
    const std::string difference = fuzzing::TableDifference(a, b, form);
    if (!difference.empty()) std::fprintf(stderr, "mode %d: %s\n", mode, difference.c_str());
    FUZZ_CHECK(difference.empty());
}

// A binary packet can hold values that no text form has (a boolean 7, a time past midnight, a
// date before year 1); XML gives them as the nearest value it can say. So a table read from
// binary must come back equal through binary, and through XML once it is in the text's terms.
void CheckRoundTrip(store::STBASE& table, int mode, bool readFromBinary) {
    const std::optional<std::string> packet = Written(table, mode);
    if (!packet) return;
    const std::unique_ptr<store::STBASE> again = ReadWritten(*packet, mode);
    if (!readFromBinary || mode == kModeBinary) return CheckEqual(table, *again, mode);
    const std::optional<std::string> rewritten = Written(*again, mode);
    FUZZ_CHECK(rewritten.has_value());
    CheckEqual(*again, *ReadWritten(*rewritten, mode), mode);
}

bool IsBinaryPacket(std::string_view bytes) {
    PKREADER reader;
    reader.OpenPacket(bytes.data(), bytes.size());
    return reader.IsBinary();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::unique_ptr<store::STBASE> table = ReadOrNothing(bytes);
    if (!table) return 0;
    const bool binary = IsBinaryPacket(bytes);  // it read, so it opens
    for (const int mode : {kModeXml, kModeXmlUtf8, kModeBinary})
        CheckRoundTrip(*table, mode, binary);
    return 0;
}
