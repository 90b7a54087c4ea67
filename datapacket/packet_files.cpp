#include "datapacket/packet_files.h"

#include <vector>

#include "datapacket/PKREADER.h"
#include "datapacket/PKWRITER.h"
#include "datapacket/packet_codes.h"
#include "datapacket/packet_writer_table.h"
#include "platform/errors.h"
#include "platform/file_system.h"
#include "store/store_codes.h"
#include "store/stored_table_loader.h"

namespace velmora::datapacket {

namespace {

// The reader marks ROW-attribute columns for itself; the table keeps the four real bits.
constexpr uint16_t kStoredAttributeBits = 0x0F;

bool More(int code) {
    return code != store::kCodeNoMore;
}

std::vector<store::Parameter> ReadParameters(PKREADER& reader) {
    std::vector<store::Parameter> parameters;
    store::Parameter parameter;
    while (More(reader.ReadParameter(parameter))) parameters.push_back(parameter);
    return parameters;
}

// `stored` and `row` are the caller's, kept from row to row so that their memory is reused.
bool ReadRow(PKREADER& reader, store::StoredTableLoader& loader, size_t columnCount,
             std::string& stored, store::RowImage& row) {
    ValueMark mark = ValueMark::Present;
    if (!More(reader.ReadValue(stored, mark))) return false;
    const auto state = static_cast<uint8_t>(stored.empty() ? 0 : stored[0]);
    row.Clear();
    for (size_t column = 0; column < columnCount; ++column) {
        if (!More(reader.ReadValue(stored, mark))) throw EStoreError(kCodeMalformedPacket);
        if (mark == ValueMark::Present)
            row.PutStored(column, stored);
        else if (mark == ValueMark::Unchanged)
            row.SetUnchanged(column);
    }
    loader.AddRow(state, row);
    return true;
}

std::string ExtensionOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = path.substr(dot);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return extension;
}

}  // namespace

std::unique_ptr<store::STBASE> StoredTableOfPacket(std::string_view packet) {
    PKREADER reader;
    reader.OpenPacket(packet.data(), packet.size());
    store::StoredTableLoader loader;
    size_t columnCount = 0;
    store::ColumnDescription column;
    while (More(reader.ReadColumn(column))) {
        column.attributes &= kStoredAttributeBits;
        loader.AddColumn(column, ReadParameters(reader));
        ++columnCount;
    }
    for (store::Parameter& parameter : ReadParameters(reader))
        loader.AddTableParameter(std::move(parameter));
    std::string stored;
    store::RowImage row = loader.NewRowImage();
    while (ReadRow(reader, loader, columnCount, stored, row)) {
    }
    return loader.Finish();
}

int ModeForFile(const std::string& path, store::PacketFormat format) {
    switch (format) {
        case store::pfXml:
            return kModeXml;
        case store::pfXmlUtf8:
            return kModeXmlUtf8;
        case store::pfBinary:
            break;
    }
    return ExtensionOf(path) == ".xml" ? kModeXml : kModeBinary;
}

std::unique_ptr<store::STBASE> LoadPacketFile(const std::string& path) {
    const std::string bytes = platform::ReadFileShared(path);
    if (bytes.empty()) return nullptr;
    return StoredTableOfPacket(bytes);
}

void SavePacketFile(const store::STBASE& table, const std::string& path,
                    store::PacketFormat format) {
    platform::ExclusiveFile target = platform::ExclusiveFile::LockForReplace(path);
    target.ReplaceContent(WritePacket(table, ModeForFile(path, format)));
}

}  // namespace velmora::datapacket
