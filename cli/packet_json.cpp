#include "cli/packet_json.h"

#include "datapacket/binary_values.h"
#include "datapacket/converter_factory.h"
#include "datapacket/packet_writer_parameters.h"
#include "datapacket/packet_writer_types.h"
#include "datapacket/xml_escape.h"
#include "platform/codepage.h"
#include "store/row_state.h"

namespace velmora::cli {

namespace {

using nlohmann::ordered_json;
using store::StoredKind;

// The XML text form of a stored value, with its references written out, in UTF-8.
std::string TextForm(const std::string& name, const datapacket::ColumnFormat& format,
                     std::string_view stored) {
    std::string text;
    datapacket::CreateConverter(name, format, datapacket::PacketForm::Xml)->Write(stored, text);
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size() && text[i + 1] == '\x01') {
            shown += "&#";
            ++i;
        } else {
            shown += text[i];
        }
    }
    return platform::ToUtf8(shown);
}

ordered_json ValueJson(const store::StoredColumn& column, std::string_view stored) {
    const datapacket::ColumnFormat format = datapacket::FormatOf(column);
    const bool memo =
        column.type == store::LogicalType::Blob && column.subtype == store::kSubtypeText;
    switch (format.type.kind) {
        case StoredKind::SignedInt:
            if (!format.type.array) return datapacket::SignedValueOf(stored);
            break;
        case StoredKind::UnsignedInt:
            if (!format.type.array) return datapacket::UnsignedValueOf(stored);
            break;
        case StoredKind::Boolean:
            return datapacket::UnsignedValueOf(stored) != 0;
        case StoredKind::Real:
            if (format.type.size == 8) return datapacket::DoubleOf(stored);
            break;
        case StoredKind::Text:
            return platform::ToUtf8(stored);
        default:
            if (memo) return platform::ToUtf8(stored);
            break;
    }
    return TextForm(column.name, format, stored);
}

ordered_json RowJson(const store::STBASE& table, uint32_t slot) {
    ordered_json row = ordered_json::object();
    const store::RowView view = table.SlotRow(slot);
    for (size_t c = 0; c < table.Columns().size(); ++c) {
        const store::StoredColumn& column = table.Columns()[c];
        row[platform::ToUtf8(column.name)] =
            view.IsNull(c) ? ordered_json(nullptr) : ValueJson(column, view.Value(c));
    }
    return row;
}

ordered_json NullUnlessSet(uint16_t value) {
    return value == 0 ? ordered_json(nullptr) : ordered_json(value);
}

ordered_json ColumnJson(const store::StoredColumn& column) {
    const datapacket::ColumnFormat format = datapacket::FormatOf(column);
    const auto typeName = datapacket::XmlTypeName(format.type);
    ordered_json attributes = ordered_json::array();
    if (column.attributes & store::kColumnHidden) attributes.push_back("hidden");
    if (column.attributes & store::kColumnReadOnly) attributes.push_back("readonly");
    if (column.attributes & store::kColumnRequired) attributes.push_back("required");
    if (column.attributes & store::kColumnLink) attributes.push_back("linkfield");
    const std::string_view subtype = store::SubtypeName(column.subtype);
    return {{"name", platform::ToUtf8(column.name)},
            {"fieldtype", typeName ? ordered_json(*typeName) : ordered_json(nullptr)},
            {"subtype", subtype.empty() ? ordered_json(nullptr) : ordered_json(subtype)},
            {"width", NullUnlessSet(format.width)},
            {"decimals", NullUnlessSet(column.scale)},
            {"attributes", attributes}};
}

ordered_json ParameterJson(const store::Parameter& parameter) {
    const auto typeName = datapacket::XmlTypeName(parameter.type);
    ordered_json value;
    if (parameter.type.array) {
        value = ordered_json::array();
        const size_t size = parameter.type.size;
        for (size_t at = 0; size != 0 && at + size <= parameter.value.size(); at += size)
            value.push_back(datapacket::SignedValueOf(parameter.value.substr(at, size)));
    } else {
        value = TextForm(parameter.name, datapacket::ColumnFormat{parameter.type}, parameter.value);
    }
    return {{"name", platform::ToUtf8(parameter.name)},
            {"type", typeName ? ordered_json(*typeName) : ordered_json(nullptr)},
            {"value", value}};
}

}  // namespace

ordered_json TableJson(const store::STBASE& table, bool binary, bool slots) {
    const auto lock = table.Lock();
    ordered_json json;
    json["form"] = binary ? "binary" : "xml";
    json["columns"] = ordered_json::array();
    for (const store::StoredColumn& column : table.Columns())
        json["columns"].push_back(ColumnJson(column));
    json["parameters"] = ordered_json::array();
    for (const store::Parameter& parameter : table.TableParameters())
        json["parameters"].push_back(ParameterJson(parameter));
    json["changeLog"] = ordered_json::array();
    for (const store::ChangeLogEntry& entry : table.LogEntries())
        json["changeLog"].push_back({entry.slot, entry.replaced, entry.kind});
    json["rows"] = ordered_json::array();
    const store::RowOrder& order = const_cast<store::STBASE&>(table).DefaultOrder();
    for (uint32_t at = 0; at < order.Count(); ++at)
        json["rows"].push_back(RowJson(table, order.SlotAt(at)));
    if (slots) {
        json["slots"] = ordered_json::array();
        for (uint32_t slot = 1; slot <= table.SlotCount(); ++slot)
            json["slots"].push_back({{"slot", slot},
                                     {"rowState", table.SlotState(slot)},
                                     {"values", RowJson(table, slot)}});
    }
    return json;
}

std::string TablePlainText(const store::STBASE& table, bool binary) {
    const ordered_json json = TableJson(table, binary, false);
    std::string text = "Form: " + json["form"].get<std::string>() + "\nColumns:\n";
    for (const ordered_json& column : json["columns"])
        text += "  " + column["name"].get<std::string>() + " " + column["fieldtype"].dump() + "\n";
    text += "Parameters:\n";
    for (const ordered_json& parameter : json["parameters"])
        text +=
            "  " + parameter["name"].get<std::string>() + " = " + parameter["value"].dump() + "\n";
    text += "Change log:\n";
    for (const ordered_json& entry : json["changeLog"]) text += "  " + entry.dump() + "\n";
    text += "Rows:\n";
    for (const ordered_json& row : json["rows"]) {
        std::string line = " ";
        for (const auto& [name, value] : row.items())
            line +=
                " " + name + "=" + (value.is_string() ? value.get<std::string>() : value.dump());
        text += line + "\n";
    }
    return text;
}

}  // namespace velmora::cli
