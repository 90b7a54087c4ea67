#include "datapacket/packet_writer_parameters.h"

#include "datapacket/binary_values.h"
#include "datapacket/field_types.h"
#include "datapacket/packet_writer_types.h"
#include "store/stored_table_parameters.h"

namespace velmora::datapacket {

namespace {

using store::LogicalType;
using store::Parameter;
using store::StoredKind;
using store::StoredType;

constexpr uint32_t kKeyDescending = 0x8000;
constexpr uint32_t kKeyCaseInsensitive = 0x4000;

std::string LittleEndian(uint64_t value, size_t size) {
    std::string bytes;
    AppendLittleEndian(bytes, value, size);
    return bytes;
}

// XML reads these back as "i2"; the binary form carries them as 2-byte unsigned.
Parameter SmallNumber(const char* name, uint16_t value, PacketForm form) {
    if (form == PacketForm::Xml) CheckXmlSmallNumber(value);
    const StoredKind kind =
        form == PacketForm::Xml ? StoredKind::SignedInt : StoredKind::UnsignedInt;
    return Parameter{name, StoredType{kind, 2}, LittleEndian(value, 2)};
}

uint16_t WidthOf(const store::StoredColumn& column) {
    const bool decimal = column.type == LogicalType::Bcd || column.type == LogicalType::FmtBcd;
    return decimal ? column.precision : column.width;
}

// Key lists travel as 2-byte elements in binary and as the reader's 4-byte "UIntArray" in XML.
Parameter KeyList(const char* name, const std::vector<store::KeyColumn>& keys, bool withFlags,
                  PacketForm form) {
    const uint16_t size = form == PacketForm::Xml ? 4 : 2;
    Parameter list{name, StoredType{StoredKind::UnsignedInt, size, false, true}, {}};
    for (const store::KeyColumn& key : keys) {
        uint32_t number = key.column + 1u;
        if (withFlags && key.descending) number |= kKeyDescending;
        if (withFlags && key.caseInsensitive) number |= kKeyCaseInsensitive;
        AppendLittleEndian(list.value, number, size);
    }
    return list;
}

void AddDefaultOrder(const store::STBASE& table, PacketForm form, std::vector<Parameter>& out) {
    for (const store::IndexDescription& index : table.IndexDescriptions()) {
        if (index.name != store::kDefaultOrderName || index.keys.empty()) continue;
        out.push_back(KeyList("DEFAULT_ORDER", index.keys, true, form));
        if (index.primary)
            out.push_back(KeyList("PRIMARY_KEY", index.keys, false, form));
        else if (index.unique)
            out.push_back(KeyList("UNIQUE_KEY", index.keys, false, form));
    }
}

Parameter ChangeLog(const std::vector<store::ChangeLogEntry>& entries) {
    Parameter log{"CHANGE_LOG", kUIntArrayType, {}};
    for (const store::ChangeLogEntry& entry : entries) {
        AppendLittleEndian(log.value, entry.slot, 4);
        AppendLittleEndian(log.value, entry.replaced, 4);
        AppendLittleEndian(log.value, entry.kind, 4);
    }
    return log;
}

}  // namespace

ColumnFormat FormatOf(const store::StoredColumn& column) {
    return ColumnFormat{store::StoredTypeOf(column), WidthOf(column), column.scale, column.subtype};
}

std::vector<Parameter> FieldLevelParameters(const store::StoredColumn& column, PacketForm form) {
    std::vector<Parameter> out;
    const std::string_view subtype = store::SubtypeName(column.subtype);
    if (!subtype.empty()) {
        // The binary form gives SUBTYPE a 2-byte prefix.
        const uint16_t prefix = form == PacketForm::Xml ? kStringType.size : 2;
        out.push_back(
            Parameter{"SUBTYPE", StoredType{StoredKind::Text, prefix, true}, std::string(subtype)});
    }
    const auto holds = [&column](std::string_view name) {
        return store::ColumnHoldsParameter(name, column.type, column.attributes);
    };
    if (column.scale != 0 && holds("DECIMALS"))
        out.push_back(SmallNumber("DECIMALS", column.scale, form));
    // Fixed bytes have their width in the FIELD itself.
    if (WidthOf(column) != 0 && holds("WIDTH") && column.type != LogicalType::FixedBytes)
        out.push_back(SmallNumber("WIDTH", WidthOf(column), form));
    // Written as a boolean, which is what the reader takes it for.
    if (column.calculated && holds("CALCULATED"))
        out.push_back(
            Parameter{"CALCULATED", StoredType{StoredKind::Boolean, 2}, LittleEndian(1, 2)});
    out.insert(out.end(), column.parameters.begin(), column.parameters.end());
    return out;
}

std::vector<Parameter> TableLevelParameters(const store::STBASE& table, PacketForm form) {
    std::vector<Parameter> out;
    if (!table.IsDelta()) {
        AddDefaultOrder(table, form, out);
        if (table.LogSize() != 0) out.push_back(ChangeLog(table.LogEntries()));
        if (table.KeepsAutoIncCounter())
            out.push_back(
                Parameter{"AUTOINCVALUE", StoredType{StoredKind::SignedInt, 4},
                          LittleEndian(static_cast<uint32_t>(table.AutoIncCounter()), 4)});
        if (table.FieldLinks()) out.push_back(*table.FieldLinks());
    }
    out.insert(out.end(), table.TableParameters().begin(), table.TableParameters().end());
    return out;
}

}  // namespace velmora::datapacket
