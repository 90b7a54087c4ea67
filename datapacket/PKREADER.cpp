#include "datapacket/PKREADER.h"

#include <new>

#include "datapacket/binary_packet_reader.h"
#include "datapacket/xml_packet_reader.h"
#include "platform/errors.h"
#include "store/store_codes.h"

namespace velmora::datapacket {
namespace {

int Result(bool item) {
    return item ? 0 : store::kCodeNoMore;
}

}  // namespace

PKREADER::PKREADER() = default;
PKREADER::~PKREADER() = default;

void PKREADER::OpenPacket(const char* buffer, size_t length) {
    source_.reset();
    const std::string_view bytes(buffer, length);
    binary_ = IsBinaryPacket(bytes);
    try {
        if (binary_)
            source_ = std::make_unique<BinaryPacketReader>(bytes);
        else
            source_ = std::make_unique<XmlPacketReader>(bytes);
    } catch (const std::bad_alloc&) {
        throw EStoreError(store::kCodeOutOfMemory);
    }
}

int PKREADER::ReadColumn(store::ColumnDescription& column) {
    try {
        return Result(source_->ReadColumn(column));
    } catch (const std::bad_alloc&) {
        throw EStoreError(store::kCodeOutOfMemory);
    }
}

int PKREADER::ReadParameter(store::Parameter& parameter) {
    try {
        return Result(source_->ReadParameter(parameter));
    } catch (const std::bad_alloc&) {
        throw EStoreError(store::kCodeOutOfMemory);
    }
}

int PKREADER::ReadValue(std::string& stored, ValueMark& mark) {
    try {
        return Result(source_->ReadValue(stored, mark));
    } catch (const std::bad_alloc&) {
        throw EStoreError(store::kCodeOutOfMemory);
    }
}

}  // namespace velmora::datapacket
