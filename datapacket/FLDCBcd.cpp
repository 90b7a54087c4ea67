#include "datapacket/FLDCBcd.h"

#include <optional>

#include "datapacket/binary_values.h"
#include "datapacket/packet_codes.h"
#include "platform/errors.h"
#include "store/decimal.h"
#include "store/store_codes.h"
#include "store/stored_type.h"

namespace velmora::datapacket {
namespace {

using store::Decimal;
using store::Int128;

constexpr unsigned char kNegative = 0x80;
constexpr unsigned char kScaleBits = 0x3F;

// A short stored form reads as zero-filled; on the stack, as it runs for every value written.
Int128 StoredUnits(std::string_view stored) {
    char units[store::kBcdStoredSize] = {};
    stored.substr(0, sizeof units).copy(units, sizeof units);
    return store::DecodeDecimalUnits(std::string_view(units, sizeof units));
}

// The 16-byte stored form, into the caller's buffer (read once per value of a file).
void StoreUnits(Int128 units, std::string& stored) {
    stored.clear();
    AppendLittleEndian(stored, static_cast<uint64_t>(units), 8);
    AppendLittleEndian(stored, static_cast<uint64_t>(units >> 64), 8);
}

int DigitCount(Int128 magnitude) {
    int digits = 0;
    for (; magnitude != 0; magnitude /= 10) ++digits;
    return digits;
}

}  // namespace

void FLDCBcd::Write(std::string_view stored, std::string& out) const {
    if (!IsXml()) return WriteBinary(stored, out);
    out += store::DatapacketDecimalText(Decimal{StoredUnits(stored), static_cast<uint8_t>(scale_)});
}

ValueMark FLDCBcd::Read(ByteCursor& in, std::string& stored) const {
    if (!IsXml()) {
        ReadBinary(in, stored);
        return ValueMark::Present;
    }
    std::string scratch;
    Decimal value;
    switch (store::ParseDatapacketDecimal(DecodedText(in, scratch), DigitLimit(), scale_, value)) {
        case store::DecimalTextStatus::Null:
            return ValueMark::Null;
        case store::DecimalTextStatus::TooManyDigits:
            throw EStoreError(store::kCodeValueOutOfRange);
        case store::DecimalTextStatus::Ok:
            break;
    }
    StoreUnits(value.units, stored);
    return ValueMark::Present;
}

void FLDCBcd::WriteBinary(std::string_view stored, std::string& out) const {
    const Int128 units = StoredUnits(stored);
    Int128 magnitude = units < 0 ? -units : units;
    int precision = DigitLimit();
    const int needed = DigitCount(magnitude);
    if (needed > kPackedDigits) throw EStoreError(store::kCodeValueOutOfRange);
    if (precision < needed) precision = needed;
    if (precision < scale_) precision = scale_;
    unsigned char packed[kPackedDigits / 2] = {};
    for (int digit = precision - 1; digit >= 0; --digit, magnitude /= 10) {
        const auto value = static_cast<unsigned char>(magnitude % 10);
        packed[digit / 2] |= digit % 2 == 0 ? static_cast<unsigned char>(value << 4) : value;
    }
    out += static_cast<char>(precision);
    out += static_cast<char>((units < 0 ? kNegative : 0) | scale_);
    out.append(reinterpret_cast<const char*>(packed), sizeof packed);
}

void FLDCBcd::ReadBinary(ByteCursor& in, std::string& stored) const {
    const std::string_view bytes = TakeOrFail(in, kBinarySize);
    const int precision = static_cast<unsigned char>(bytes[0]);
    const int scale = static_cast<unsigned char>(bytes[1]) & kScaleBits;
    if (precision > kPackedDigits || scale > kPackedDigits) throw EStoreError(kCodeMalformedPacket);
    Int128 units = 0;
    for (int digit = 0; digit < precision; ++digit) {
        const auto pair = static_cast<unsigned char>(bytes[2 + digit / 2]);
        const int value = digit % 2 == 0 ? pair >> 4 : pair & 0x0F;
        if (value > 9) throw EStoreError(kCodeMalformedPacket);
        units = units * 10 + value;
    }
    if (static_cast<unsigned char>(bytes[1]) & kNegative) units = -units;
    const std::optional<Decimal> value =
        store::RescaleDecimal(Decimal{units, static_cast<uint8_t>(scale)}, scale_);
    if (!value || !store::FitsPrecision(*value, DigitLimit()))
        throw EStoreError(store::kCodeValueOutOfRange);
    StoreUnits(value->units, stored);
}

}  // namespace velmora::datapacket
