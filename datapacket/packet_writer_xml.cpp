#include "datapacket/packet_writer_xml.h"

#include "datapacket/PKWRITER.h"
#include "datapacket/converter_factory.h"
#include "datapacket/field_types.h"
#include "datapacket/packet_codes.h"
#include "datapacket/packet_writer_types.h"
#include "datapacket/xml_escape.h"
#include "platform/codepage.h"
#include "platform/errors.h"
#include "store/stored_table_column.h"

namespace velmora::datapacket {

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" standalone=\"yes\"?>  ";
constexpr std::string_view kUtf8Declaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>  ";

// Column attribute bits with their FIELD attribute, in the order they are written.
struct FlagAttribute {
    uint16_t bit;
    std::string_view name;
};
constexpr FlagAttribute kFlagAttributes[] = {{store::kColumnReadOnly, "readonly"},
                                             {store::kColumnRequired, "required"},
                                             {store::kColumnHidden, "hidden"},
                                             {store::kColumnLink, "linkfield"}};

constexpr store::StoredType kRowStateType{store::StoredKind::UnsignedInt, 1};

std::string_view TypeNameOrFail(store::StoredType type) {
    const auto name = XmlTypeName(type);
    if (!name) throw EStoreError(kCodeNoXmlType);
    return *name;
}

std::string Decimal(uint64_t value) {
    return std::to_string(value);
}

// Whether a ROW start tag gives the attribute name back as written: bytes up to 32 around a
// name are dropped, a name runs to the first "=", and ">" ends the tag.
bool RowCarriesName(std::string_view name) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    return !name.empty() && !blank(name.front()) && !blank(name.back()) &&
           name.find_first_of("=>") == std::string_view::npos;
}

}  // namespace

std::string AttrNameOf(const std::string& columnName) {
    std::string attrName = columnName;
    for (char& c : attrName)
        if (std::string_view(" !#$%()*?").find(c) != std::string_view::npos) c = '_';
    return attrName;
}

XmlPacketWriter::XmlPacketWriter(bool utf8) : utf8_(utf8) {}
XmlPacketWriter::~XmlPacketWriter() = default;

std::string XmlPacketWriter::Encoded(std::string_view text) const {
    return utf8_ ? platform::ToUtf8(text) : std::string(text);
}

std::string XmlPacketWriter::Attribute(std::string_view name, std::string_view text,
                                       MarkedReferences marked) const {
    std::string attribute = " " + Encoded(name) + "=\"";
    AppendEscaped(Encoded(text), marked, attribute);
    return attribute + "\"";
}

void XmlPacketWriter::BeginPacket(size_t columnCount) {
    // The declaration goes into these bytes last, so the document is never moved.
    out_.Append(std::string((utf8_ ? kUtf8Declaration : kDeclaration).size(), ' '));
    out_.Append("<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>");
    columns_.reserve(columnCount);
    rowState_ = CreateConverter("RowState", ColumnFormat{kRowStateType}, PacketForm::Xml);
}

void XmlPacketWriter::WriteColumn(const std::string& name, const ColumnFormat& format,
                                  uint16_t attributes) {
    CloseOpenElement();
    const std::string_view typeName = TypeNameOrFail(format.type);
    // XML makes a blob of "bin.hex" through its SUBTYPE alone.
    if (IsBlobType(format.type) && !store::IsBlobSubtype(format.subtype))
        throw EStoreError(kCodeNoXmlType);
    const std::string attrName = AttrNameOf(name);
    std::string written = Encoded(attrName);
    // Two columns under one attribute name would read back as one; a name that no ROW can
    // carry would lose the column's values.
    if (!RowCarriesName(written)) throw EStoreError(kCodeBadMetadata);
    for (const Column& column : columns_)
        if (column.attrName == written) throw EStoreError(kCodeBadMetadata);
    open_ = std::make_unique<OpenElement>(OpenElement{"FIELD", {}, {}});
    if (attrName != name) open_->attributes += Attribute("fieldname", name);
    open_->attributes += Attribute("attrname", attrName);
    open_->attributes += Attribute("fieldtype", typeName);
    for (const FlagAttribute& flag : kFlagAttributes)
        if (attributes & flag.bit) open_->attributes += Attribute(flag.name, "true");
    const bool fixedBytes = format.type.kind == store::StoredKind::Bytes && !format.type.varying;
    if (fixedBytes) {
        CheckXmlSmallNumber(format.type.size);
        open_->attributes += Attribute("WIDTH", Decimal(format.type.size));
    }
    columns_.push_back(
        Column{std::move(written), CreateConverter(attrName, format, PacketForm::Xml)});
}

XmlPacketWriter::ParameterValue XmlPacketWriter::ParameterText(
    const store::Parameter& parameter) const {
    TypeNameOrFail(parameter.type);
    const auto converter =
        CreateConverter(parameter.name, ColumnFormat{parameter.type}, PacketForm::Xml);
    ParameterValue value;
    converter->Write(parameter.value, value.text);
    value.marked = converter->MarksReferences() ? MarkedReferences::Yes : MarkedReferences::No;
    return value;
}

void XmlPacketWriter::AddParameter(OpenElement& element, const store::Parameter& parameter,
                                   bool tableLevel) {
    const ParameterValue value = ParameterText(parameter);
    // An attribute after a PARAM child still goes into the start tag, where the file's layout
    // keeps every attribute; read back, the known parameters then come before the others.
    if (WrittenAsAttribute(parameter, tableLevel)) {
        element.attributes += Attribute(parameter.name, value.text, value.marked);
        return;
    }
    element.children +=
        "<PARAM" + Attribute("Name", parameter.name) + Attribute("Value", value.text, value.marked);
    const bool isString = parameter.type.kind == store::StoredKind::Text && !parameter.type.array;
    if (!isString) element.children += Attribute("Type", TypeNameOrFail(parameter.type));
    if (parameter.roundtrip) element.children += Attribute("Roundtrip", "True");
    element.children += "/>";
}

void XmlPacketWriter::WriteFieldParameter(const store::Parameter& parameter) {
    AddParameter(*open_, parameter, false);
}

void XmlPacketWriter::CloseOpenElement() {
    if (!open_) return;
    const OpenElement& e = *open_;
    out_.Append("<" + e.name + e.attributes);
    if (e.children.empty()) {
        out_.Append("/>");
    } else {
        out_.Append(">" + e.children + "</" + e.name + ">");
    }
    open_.reset();
}

void XmlPacketWriter::BeginTableParameters() {
    if (parametersBegun_) return;
    CloseOpenElement();
    out_.Append("</FIELDS>");
    open_ = std::make_unique<OpenElement>(OpenElement{"PARAMS", {}, {}});
    parametersBegun_ = true;
}

void XmlPacketWriter::WriteTableParameter(const store::Parameter& parameter) {
    BeginTableParameters();
    AddParameter(*open_, parameter, true);
}

void XmlPacketWriter::EndParameters() {
    if (parametersEnded_) return;
    BeginTableParameters();
    CloseOpenElement();
    parametersEnded_ = true;
}

void XmlPacketWriter::BeginRows() {
    if (rowsBegun_) return;
    EndParameters();
    out_.Append("</METADATA><ROWDATA>");
    rowsBegun_ = true;
}

void XmlPacketWriter::AppendValueAttribute(std::string_view attrName, const FLDConv& converter,
                                           std::string_view stored) {
    std::string_view text = stored;
    if (utf8_ || !converter.WritesStoredBytes(stored)) {
        text_.clear();
        converter.Write(stored, text_);
        if (utf8_) text_ = platform::ToUtf8(text_);
        text = text_;
    }
    out_.EnsureRoom(2 * text.size() + 1000);
    out_.Append(' ');
    out_.Append(attrName);
    out_.Append("=\"");
    const MarkedReferences marked =
        converter.MarksReferences() ? MarkedReferences::Yes : MarkedReferences::No;
    ForEachEscapedPiece(text, marked, [this](std::string_view piece) { out_.Append(piece); });
    out_.Append('"');
}

void XmlPacketWriter::BeginRow(uint8_t state) {
    BeginRows();
    out_.Append("<ROW");
    if (state != 0)
        AppendValueAttribute("RowState", *rowState_,
                             std::string_view(reinterpret_cast<const char*>(&state), 1));
}

void XmlPacketWriter::WriteValue(size_t column, ValueMark mark, std::string_view stored) {
    // Null and unchanged values are left out; the reader takes absence for either.
    if (mark != ValueMark::Present) return;
    const Column& c = columns_[column];
    AppendValueAttribute(c.attrName, *c.converter, stored);
}

void XmlPacketWriter::EndRow() {
    out_.Append("/>");
}

std::string XmlPacketWriter::EndPacket() {
    BeginRows();
    out_.Append("</ROWDATA></DATAPACKET>");
    out_.Overwrite(0, utf8_ ? kUtf8Declaration : kDeclaration);
    return out_.Take();
}

}  // namespace velmora::datapacket
