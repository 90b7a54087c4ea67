// Reading a column's stored form into a register.
#include <cmath>
#include <cstring>

#include "platform/codepage.h"
#include "platform/errors.h"
#include "store/expression_evaluator.h"
#include "store/expression_stored_values.h"
#include "store/expression_temporal.h"
#include "store/store_codes.h"

namespace velmora::store {
namespace {

// The x87 extended form: 64-bit mantissa with explicit integer bit, 15-bit exponent, sign.
double Real10(std::string_view bytes) {
    const uint64_t mantissa = LittleEndian(bytes, 0, 8);
    const uint64_t top = LittleEndian(bytes, 8, 2);
    const int exponent = static_cast<int>(top & 0x7FFF);
    const double magnitude = exponent == 0 && mantissa == 0
                                 ? 0.0
                                 : std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
    return (top & 0x8000) != 0 ? -magnitude : magnitude;
}

// int16 year, uint16 month, day, hour, minute, second, uint32 fraction (milliseconds).
double SqlDateTime(std::string_view bytes) {
    auto field = [&](size_t i) { return static_cast<int>(LittleEndian(bytes, 2 * i, 2)); };
    const int64_t day = DayNumberOf(CivilDate{static_cast<int16_t>(field(0)), field(1), field(2)});
    const double time = ((field(3) * 60.0 + field(4)) * 60.0 + field(5)) * 1000.0 +
                        static_cast<double>(LittleEndian(bytes, 12, 4));
    return static_cast<double>(day) * kMillisecondsPerDay + time;
}

void LoadText(ExpressionRegister& r, LogicalType type, std::string_view stored) {
    if (type == LogicalType::Text) {
        r.text = UpToZero(stored);
    } else if (type == LogicalType::WideText) {
        std::u16string wide(stored.size() / 2, u'\0');
        for (size_t i = 0; i < wide.size(); ++i)
            wide[i] = static_cast<char16_t>(LittleEndian(stored, 2 * i, 2));
        r.buffer = platform::FromUtf16(wide);
        r.text = UpToZero(r.buffer);
    } else {
        r.text = stored;
    }
}

void LoadDecimal(ExpressionRegister& r, std::string_view stored, uint16_t scale) {
    if (scale > kMaxDecimalDigits) throw EStoreError(kCodeValueOutOfRange);
    r.fixed = Decimal{DecodeDecimalUnits(stored), static_cast<uint8_t>(scale)};
}

}  // namespace

void ExpressionEvaluator::LoadColumn(const Instruction& instruction, const ExpressionRow& row) {
    ExpressionRegister& r = registers_[instruction.result];
    r.null = row.IsNull(instruction.column);
    r.truth = false;
    r.integer = 0;
    r.fixed = Decimal{0, static_cast<uint8_t>(instruction.scale)};
    r.number = 0;
    r.text = {};
    if (r.null) return;
    const std::string_view stored = row.Stored(instruction.column);
    if (instruction.storedSize != 0 && stored.size() != instruction.storedSize)
        throw EStoreError(kCodeValueOutOfRange);
    using L = LogicalType;
    switch (instruction.columnType) {
        case L::Int8:
        case L::Int16:
        case L::Int32:
        case L::Int64:
        case L::UInt8:
        case L::UInt16:
        case L::UInt32:
        case L::UInt64:
            r.integer = StoredInteger(instruction.columnType, stored);
            return;
        case L::Boolean:
        case L::Boolean8:
        case L::Boolean32:
            r.truth = LittleEndian(stored, 0, stored.size()) != 0;
            return;
        case L::Real8:
            r.number = Real8(stored);
            return;
        case L::Real10:
            r.number = Real10(stored);
            return;
        case L::Bcd:
        case L::FmtBcd:
            return LoadDecimal(r, stored, instruction.scale);
        case L::Date:
        case L::Time:
        case L::DateTime:
            r.number = StoredTemporal(instruction.columnType, stored);
            return;
        case L::SqlDateTime:
            r.number = SqlDateTime(stored);
            return;
        default:
            return LoadText(r, instruction.columnType, stored);
    }
}

}  // namespace velmora::store
