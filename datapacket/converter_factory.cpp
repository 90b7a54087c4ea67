#include "datapacket/converter_factory.h"

#include "datapacket/FLDBinary.h"
#include "datapacket/FLDCBcd.h"
#include "datapacket/FLDCBool.h"
#include "datapacket/FLDCDATE.h"
#include "datapacket/FLDCFloat.h"
#include "datapacket/FLDCInt.h"
#include "datapacket/FLDCRepeat.h"
#include "datapacket/FLDCTIMESTAMP.h"
#include "datapacket/FLDCVar.h"
#include "datapacket/FLDNested.h"
#include "datapacket/FLDUnicode.h"
#include "datapacket/packet_codes.h"
#include "platform/errors.h"
#include "store/store_codes.h"
#include "store/stored_table_column.h"

namespace velmora::datapacket {
namespace {

using store::StoredKind;

[[noreturn]] void NoConverter() {
    throw EStoreError(kCodeUnknownFieldType);
}

bool IsPrefixWidth(uint16_t size) {
    return size == 1 || size == 2 || size == 4;
}

// The prefix width of a varying type; XML values have none, so any width serves there.
uint16_t PrefixWidth(const store::StoredType& type, PacketForm form) {
    if (type.varying && IsPrefixWidth(type.size)) return type.size;
    if (form == PacketForm::Xml) return 4;
    NoConverter();
}

std::unique_ptr<FLDConv> Integer(std::string name, PacketForm form, uint16_t size) {
    switch (size) {
        case 1:
            return std::make_unique<FLDCInt8>(std::move(name), form);
        case 2:
            return std::make_unique<FLDCInt16>(std::move(name), form);
        case 4:
            return std::make_unique<FLDCInt32>(std::move(name), form);
        case 8:
            return std::make_unique<FLDCInt64>(std::move(name), form);
        default:
            NoConverter();
    }
}

std::unique_ptr<FLDConv> Text(std::string name, PacketForm form, uint16_t prefix, TextColumn kind) {
    switch (prefix) {
        case 1:
            return std::make_unique<FLDCVar8>(std::move(name), form, kind);
        case 2:
            return std::make_unique<FLDCVar16>(std::move(name), form, kind);
        default:
            return std::make_unique<FLDCVar32>(std::move(name), form, kind);
    }
}

std::unique_ptr<FLDConv> Bytes(std::string name, const ColumnFormat& format, PacketForm form,
                               WideBytes wideBytes) {
    const store::StoredType& type = format.type;
    if (form == PacketForm::Xml && format.subtype == store::kSubtypeText)
        return Text(std::move(name), form, PrefixWidth(type, form), TextColumn{true, 0});
    if (form == PacketForm::Xml && format.subtype == store::kSubtypeWideText)
        return std::make_unique<FLDUnicode>(std::move(name), form, PrefixWidth(type, form), true,
                                            wideBytes);
    if (!type.varying) return std::make_unique<FLDCFixed>(std::move(name), form, type.size);
    return std::make_unique<FLDBinary>(std::move(name), form, PrefixWidth(type, form));
}

// Size of the stored form of an array element.
uint16_t ElementSize(const store::StoredType& element) {
    switch (element.kind) {
        case StoredKind::Bcd:
        case StoredKind::FmtBcd:
            return store::kBcdStoredSize;
        default:
            return element.size;
    }
}

std::unique_ptr<FLDConv> Array(std::string name, const ColumnFormat& format, PacketForm form) {
    ColumnFormat element = format;
    element.type.array = false;
    const bool integers =
        element.type.kind == StoredKind::SignedInt || element.type.kind == StoredKind::UnsignedInt;
    if (element.type.varying || (form == PacketForm::Xml && !integers)) NoConverter();
    std::unique_ptr<FLDConv> converter = CreateConverter(name, element, form);
    const uint16_t size = ElementSize(element.type);
    if (size == 0) NoConverter();
    return std::make_unique<FLDCRepeat>(std::move(name), form, std::move(converter), size);
}

}  // namespace

std::unique_ptr<FLDConv> CreateConverter(std::string name, const ColumnFormat& format,
                                         PacketForm form, WideBytes wideBytes) {
    const store::StoredType& type = format.type;
    if (type.array) return Array(std::move(name), format, form);
    switch (type.kind) {
        case StoredKind::SignedInt:
        case StoredKind::UnsignedInt:
            return Integer(std::move(name), form, type.size);
        case StoredKind::Boolean:
            if (!IsPrefixWidth(type.size)) NoConverter();
            return std::make_unique<FLDCBool>(std::move(name), form, type.size);
        case StoredKind::Real:
            if (type.size == 8) return std::make_unique<FLDCFloat>(std::move(name), form);
            if (type.size == FLDCFloatIEEE::kSize)
                return std::make_unique<FLDCFloatIEEE>(std::move(name), form);
            NoConverter();
        case StoredKind::Bcd:
        case StoredKind::FmtBcd:
            if (format.scale > FLDCBcd::kPackedDigits) throw EStoreError(store::kCodeBadStructure);
            return std::make_unique<FLDCBcd>(std::move(name), form, format.width, format.scale);
        case StoredKind::Date:
            return std::make_unique<FLDCDATE>(std::move(name), form);
        case StoredKind::Time:
            return std::make_unique<FLDCTIME>(std::move(name), form);
        case StoredKind::DateTime:
            return std::make_unique<FLDCTIMESTAMP>(std::move(name), form);
        case StoredKind::SqlDateTime:
            return std::make_unique<FLDCSQLTIMESTAMP>(std::move(name), form);
        case StoredKind::Text:
            return Text(std::move(name), form, PrefixWidth(type, form),
                        TextColumn{false, format.width});
        case StoredKind::WideText:
            return std::make_unique<FLDUnicode>(std::move(name), form, PrefixWidth(type, form),
                                                false, wideBytes);
        case StoredKind::Bytes:
        case StoredKind::BytesAlt:
            return Bytes(std::move(name), format, form, wideBytes);
        case StoredKind::Struct:
        case StoredKind::ArrayColumn:
            return std::make_unique<FLDAlwaysNull>(std::move(name), form);
        case StoredKind::Nested:
            return std::make_unique<FLDNested>(std::move(name), form);
        default:
            NoConverter();
    }
}

}  // namespace velmora::datapacket
