#include "datapacket/xml_packet_reader.h"

#include "datapacket/converter_factory.h"
#include "datapacket/entities.h"
#include "datapacket/field_types.h"
#include "datapacket/packet_codes.h"
#include "platform/errors.h"
#include "store/store_codes.h"

namespace velmora::datapacket {
namespace {

// The FIELD attributes that make the description itself; every other one is a parameter.
struct FieldAttributes {
    const XmlAttribute* attrName = nullptr;
    const XmlAttribute* tagName = nullptr;
    const XmlAttribute* fieldName = nullptr;
    const XmlAttribute* fieldType = nullptr;
    uint16_t flags = 0;
};

bool TakeDescriptionAttribute(const XmlAttribute& attribute, FieldAttributes& field) {
    static constexpr std::pair<std::string_view, uint16_t> kFlags[] = {
        {"readonly", store::kColumnReadOnly},
        {"required", store::kColumnRequired},
        {"hidden", store::kColumnHidden},
        {"linkfield", store::kColumnLink},
    };
    for (const auto& [name, bit] : kFlags) {
        if (attribute.name != name) continue;
        if (SameName(attribute.value, "true")) field.flags |= bit;
        return true;
    }
    const XmlAttribute** slot = attribute.name == "attrname"    ? &field.attrName
                                : attribute.name == "tagname"   ? &field.tagName
                                : attribute.name == "fieldname" ? &field.fieldName
                                : attribute.name == "fieldtype" ? &field.fieldType
                                                                : nullptr;
    if (!slot) return false;
    if (!*slot) *slot = &attribute;
    return true;
}

// Whether a column of `table` already takes its value from the ROW attribute `name`: a
// second one could not be told apart from it when the table is written back.
bool AttributeTaken(const PacketTable& table, std::string_view name) {
    for (const PacketColumn& column : table.columns)
        if (column.inAttribute && column.nestedTable < 0 && column.lookupName == name) return true;
    return false;
}

}  // namespace

XmlPacketReader::XmlPacketReader(std::string_view buffer)
    : text_(buffer),
      tokens_(text_.Text()),
      wideBytes_(text_.WasUtf8() ? WideBytes::CodePage : WideBytes::Latin1) {
    const XmlToken* first = &tokens_.Next();
    if (IsElementStart(*first) && first->name == "DATAPACKET") first = &tokens_.Next();
    if (!IsElementStart(*first)) RaiseMalformed();
    if (first->name == "ROWDATA") throw EStoreError(kCodeNoMetadata);
    if (first->name != "METADATA" || first->kind != TokenKind::StartTag) RaiseMalformed();
    metadataLevel_ = first->level;
    const XmlToken& fields = tokens_.Next();
    if (!IsElementStart(fields) || fields.name != "FIELDS") RaiseMalformed();
    tables_.emplace_back();
    elements_.push_back({fields.kind == TokenKind::StartTag, 0});
    describing_.push_back(0);
}

std::string XmlPacketReader::Decoded(std::string_view text) const {
    std::string decoded;
    AppendDecodedText(text, decoded);
    return decoded;
}

store::Parameter XmlPacketReader::MakeParameter(std::string name, store::StoredType type,
                                                std::string_view text) {
    store::Parameter parameter{std::move(name), type, {}};
    const std::unique_ptr<FLDConv> converter =
        CreateConverter(parameter.name, ColumnFormat{type}, PacketForm::Xml, wideBytes_);
    ByteCursor value(text);
    if (converter->Read(value, parameter.value) == ValueMark::Null) parameter.value.clear();
    return parameter;
}

bool XmlPacketReader::NextColumn(int table, store::ColumnDescription& column) {
    if (!elements_[static_cast<size_t>(table)].fieldsOpen) return EndOfColumns(table, nullptr);
    const XmlToken& token = tokens_.Next();
    if (token.kind == TokenKind::EndTag) return EndOfColumns(table, nullptr);
    if (token.name == "PARAMS") {
        const XmlToken params = token;
        return EndOfColumns(table, &params);
    }
    ReadColumnElement(table, token, column);
    return true;
}

bool XmlPacketReader::EndOfColumns(int table, const XmlToken* params) {
    if (tables_[static_cast<size_t>(table)].columns.empty()) RaiseMalformed();
    if (params) {
        QueueParamsElement(*params);
    } else if (IsElementStart(tokens_.Peek()) && tokens_.Peek().name == "PARAMS") {
        const XmlToken next = tokens_.Next();
        QueueParamsElement(next);
    }
    return false;
}

void XmlPacketReader::LeaveNestedTable(int table) {
    const int fieldLevel = elements_[static_cast<size_t>(table)].fieldLevel;
    while (true) {
        const XmlToken& token = tokens_.Next();
        if (token.kind != TokenKind::EndTag) RaiseMalformed();
        if (token.level == fieldLevel) return;
    }
}

void XmlPacketReader::ReadColumnElement(int table, const XmlToken& field,
                                        store::ColumnDescription& column) {
    // The attributes' views stay valid; `attributes_` is reused for the children.
    const XmlToken element = field;
    ParseAttributes(element.attributes, attributes_);
    FieldAttributes description;
    for (const XmlAttribute& attribute : attributes_) {
        if (TakeDescriptionAttribute(attribute, description)) continue;
        QueueParameter(MakeParameter(std::string(attribute.name),
                                     ParameterTypeOf(attribute.name, false), attribute.value),
                       false);
    }
    if (!description.attrName && !description.tagName) RaiseMalformed();
    store::StoredType type;
    if (!description.fieldType || !StoredTypeOfName(Decoded(description.fieldType->value), type))
        throw EStoreError(kCodeUnknownFieldType);
    std::string lookupName =
        Decoded((description.attrName ? description.attrName : description.tagName)->value);
    column.name = description.fieldName ? Decoded(description.fieldName->value) : lookupName;
    if (column.name.size() > kMaxColumnName) column.name.resize(kMaxColumnName);
    column.type = type;
    const bool inAttribute = description.attrName != nullptr;
    column.attributes = description.flags | (inAttribute ? store::kColumnInAttribute : 0);

    const bool nested = type.kind == store::StoredKind::Nested;
    const bool nestedFieldsOpen = element.kind == TokenKind::StartTag && ReadFieldChildren(nested);
    const FieldParameters fields = QueuedFieldParameters();
    const bool bytes = type.kind == store::StoredKind::Bytes;
    if ((type.kind == store::StoredKind::Text && fields.format.width == 0) ||
        (bytes && !fields.hasSubtype && fields.format.width == 0))
        throw EStoreError(store::kCodeBadStructure);
    if (inAttribute && !nested && AttributeTaken(tables_[static_cast<size_t>(table)], lookupName))
        RaiseMalformed();
    PacketColumn& added =
        AddColumn(table, column, std::move(lookupName), PacketForm::Xml, wideBytes_);
    added.inAttribute = inAttribute;
    if (nested) elements_.push_back({nestedFieldsOpen, element.level});
}

// Reads the PARAM children of a FIELD; for a nested table stops after the start tag of its
// FIELDS and says whether that has content.
bool XmlPacketReader::ReadFieldChildren(bool nested) {
    while (true) {
        const XmlToken& child = tokens_.Next();
        if (child.kind == TokenKind::EndTag) return false;
        if (child.name == "PARAM") {
            const XmlToken param = child;
            QueueParamElement(param, false);
        } else if (nested && child.name == "FIELDS") {
            return child.kind == TokenKind::StartTag;
        } else {
            RaiseMalformed();
        }
    }
}

void XmlPacketReader::QueueParamsElement(const XmlToken& params) {
    ParseAttributes(params.attributes, attributes_);
    for (const XmlAttribute& attribute : attributes_)
        QueueParameter(MakeParameter(std::string(attribute.name),
                                     ParameterTypeOf(attribute.name, true), attribute.value),
                       true);
    if (params.kind != TokenKind::StartTag) return;
    while (true) {
        const XmlToken& child = tokens_.Next();
        if (child.kind == TokenKind::EndTag) return;
        const XmlToken param = child;
        QueueParamElement(param, true);
    }
}

void XmlPacketReader::QueueParamElement(const XmlToken& param, bool tableLevel) {
    if (param.kind == TokenKind::StartTag) RaiseMalformed();
    ParseAttributes(param.attributes, attributes_);
    const XmlAttribute* name = FindAttribute(attributes_, "Name");
    const XmlAttribute* value = FindAttribute(attributes_, "Value");
    if (!name || !value) RaiseMalformed();
    store::StoredType type = kStringType;
    if (const XmlAttribute* typeName = FindAttribute(attributes_, "Type"))
        if (!StoredTypeOfName(Decoded(typeName->value), type))
            throw EStoreError(kCodeUnknownFieldType);
    const bool roundtrip = FindAttribute(attributes_, "Roundtrip") != nullptr;
    store::Parameter parameter = MakeParameter(Decoded(name->value), type, value->value);
    parameter.roundtrip = roundtrip;
    QueueParameter(std::move(parameter), tableLevel);
}

}  // namespace velmora::datapacket
