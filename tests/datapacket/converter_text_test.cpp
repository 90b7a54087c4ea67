// The XML direction of the value converters: attribute text to stored form and back.

#include <gtest/gtest.h>

#include "datapacket/converter_factory.h"
#include "packet_test_util.h"
#include "platform/errors.h"
#include "store/decimal.h"
#include "store/store_codes.h"
#include "store/stored_table_column.h"

namespace velmora::datapacket {
namespace {

using store::StoredKind;
using testing::LittleEndian;
using testing::Null;
using testing::Present;
using testing::ReadValue;
using testing::StoredDouble;
using testing::StoredWide;

ColumnFormat Format(StoredKind kind, uint16_t size, bool varying = false, uint16_t width = 0,
                    uint16_t scale = 0, uint16_t subtype = 0) {
    return ColumnFormat{store::StoredType{kind, size, varying}, width, scale, subtype};
}
const ColumnFormat kI1 = Format(StoredKind::SignedInt, 1);
const ColumnFormat kUi1 = Format(StoredKind::UnsignedInt, 1);
const ColumnFormat kI2 = Format(StoredKind::SignedInt, 2);
const ColumnFormat kI4 = Format(StoredKind::SignedInt, 4);
const ColumnFormat kI8 = Format(StoredKind::SignedInt, 8);
const ColumnFormat kBoolean = Format(StoredKind::Boolean, 2);
const ColumnFormat kR8 = Format(StoredKind::Real, 8);
const ColumnFormat kR10 = Format(StoredKind::Real, 10);
const ColumnFormat kFixed = Format(StoredKind::Bcd, 32, false, 15, 4);
const ColumnFormat kFixedScale0 = Format(StoredKind::Bcd, 32, false, 10, 0);
const ColumnFormat kDate = Format(StoredKind::Date, 4);
const ColumnFormat kTime = Format(StoredKind::Time, 4);
const ColumnFormat kDateTime = Format(StoredKind::DateTime, 8);
const ColumnFormat kSqlDateTime = Format(StoredKind::SqlDateTime, 16);
const ColumnFormat kString5 = Format(StoredKind::Text, 1, true, 5);
const ColumnFormat kWide = Format(StoredKind::WideText, 1, true, 20);
const ColumnFormat kBytes = Format(StoredKind::Bytes, 1, true, 10);
const ColumnFormat kTextBlob = Format(StoredKind::Bytes, 1, true, 0, 0, store::kSubtypeText);
const ColumnFormat kWideBlob = Format(StoredKind::Bytes, 1, true, 0, 0, store::kSubtypeWideText);
const ColumnFormat kUIntArray{store::StoredType{StoredKind::UnsignedInt, 4, false, true}};

// 2024-01-31 is day 738916 (the day numbers of 1899-12-30 and 0001-01-01 are 693594 and 1).
constexpr int64_t kJan31 = 738916;
constexpr int64_t kTenThirtySeven250 = (10 * 60 + 30) * 60000 + 7250;

std::string Units(int64_t units) {
    return store::EncodeDecimalUnits(units);
}
std::string Int32(int64_t value) {
    return LittleEndian(static_cast<uint64_t>(value), 4);
}
std::string SqlRecord(int year, int month, int day, int hour, int minute, int second,
                      int thousandths) {
    return LittleEndian(year, 2) + LittleEndian(month, 2) + LittleEndian(day, 2) +
           LittleEndian(hour, 2) + LittleEndian(minute, 2) + LittleEndian(second, 2) +
           LittleEndian(thousandths, 4);
}

ReadValue ReadText(const ColumnFormat& format, std::string_view text) {
    const auto converter = CreateConverter("c", format, PacketForm::Xml);
    ByteCursor in(text);
    ReadValue value;
    value.mark = converter->Read(in, value.stored);
    if (value.mark != ValueMark::Present) value.stored.clear();
    return value;
}

struct ReadCase {
    const char* name;
    ColumnFormat format;
    std::string_view text;
    ReadValue expected;
};

class ReadTextTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTextTest, GivesTheStoredForm) {
    EXPECT_EQ(ReadText(GetParam().format, GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadTextTest,
    ::testing::Values(
        ReadCase{"Integer", kI4, " -7", Present(Int32(-7))},
        ReadCase{"IntegerEmptyIsNull", kI4, "", Null()},
        ReadCase{"IntegerLetterFirstIsNull", kI4, "x1", Null()},
        ReadCase{"IntegerSaturates", kI4, "2147483648", Present(Int32(INT32_MAX))},
        ReadCase{"IntegerEntity", kI4, "&#49;2", Present(Int32(12))},
        ReadCase{"SignedTextOfUnsignedByte", kUi1, "-56", Present("\xC8")},
        ReadCase{"OneByteKeepsTheLowByte", kI1, "200", Present("\xC8")},
        ReadCase{"TwoBytesKeepTheLowBytes", kI2, "70000", Present(LittleEndian(70000 & 0xFFFF, 2))},
        ReadCase{"EightBytes", kI8, "-9000000000",
                 Present(LittleEndian(static_cast<uint64_t>(-9000000000LL), 8))},
        ReadCase{"BooleanTrue", kBoolean, "TRUE", Present(LittleEndian(1, 2))},
        ReadCase{"BooleanLowerT", kBoolean, "t", Present(LittleEndian(1, 2))},
        ReadCase{"BooleanOther", kBoolean, "yes", Present(LittleEndian(0, 2))},
        ReadCase{"BooleanEmptyIsNull", kBoolean, "", Null()},
        ReadCase{"Real", kR8, "-2.5e1", Present(StoredDouble(-25.0))},
        ReadCase{"RealLetterFirstIsNull", kR8, "inf", Null()},
        ReadCase{"RealTooLargeIsNull", kR8, "1e999", Null()},
        ReadCase{"ExtendedHasNoText", kR10, "1.5", Null()},
        ReadCase{"FixedCommaEndsTheNumber", kFixed, "12,50", Present(Units(120000))},
        ReadCase{"FixedMinusHalf", kFixed, "-0.5", Present(Units(-5000))},
        ReadCase{"FixedSurplusFractionCut", kFixed, "1.23456", Present(Units(12345))},
        ReadCase{"FixedEmptyIsNull", kFixed, "", Null()},
        ReadCase{"DateBare", kDate, "20240131", Present(Int32(kJan31))},
        ReadCase{"DateHyphens", kDate, "2024-01-31", Present(Int32(kJan31))},
        ReadCase{"DateOneDigitDay", kDate, "2024013", Present(Int32(kJan31 - 28))},
        ReadCase{"DateMonth13IsNull", kDate, "20241301", Null()},
        ReadCase{"DateThreeDigitYearIsNull", kDate, "202-01-31", Null()},
        ReadCase{"DateNoDayIsNull", kDate, "202401", Null()},
        ReadCase{"DateFebruary30IsNull", kDate, "20240230", Null()},
        ReadCase{"DateMonth0IsNull", kDate, "20240031", Null()},
        ReadCase{"DateFirstDay", kDate, "00010101", Present(Int32(1))},
        ReadCase{"Time", kTime, "10:30:07250", Present(Int32(kTenThirtySeven250))},
        ReadCase{"TimePaddedMilliseconds", kTime, "10:30:07",
                 Present(Int32(kTenThirtySeven250 - 250))},
        ReadCase{"TimeHour24IsMidnight", kTime, "24:00:00000", Present(Int32(0))},
        ReadCase{"TimeMinute60IsMidnight", kTime, "10:60:00000", Present(Int32(0))},
        ReadCase{"TimeNegativeHourIsMidnight", kTime, "-1:00:00000", Present(Int32(0))},
        ReadCase{"TimeEmptyIsNull", kTime, "", Null()},
        ReadCase{"DateTime", kDateTime, "20240131T10:30:07250",
                 Present(StoredDouble(kJan31 * 86400000.0 + kTenThirtySeven250))},
        ReadCase{"DateTimeDateOnly", kDateTime, "2024-01-31",
                 Present(StoredDouble(kJan31 * 86400000.0))},
        ReadCase{"DateTimeBadDateIsNull", kDateTime, "2024-13-01T10:00:00000", Null()},
        ReadCase{"SqlDateTime", kSqlDateTime, "20240131T10:30:07250",
                 Present(SqlRecord(2024, 1, 31, 10, 30, 7, 250))},
        ReadCase{"SqlDateTimeDateOnly", kSqlDateTime, "20240131",
                 Present(SqlRecord(2024, 1, 31, 0, 0, 0, 0))},
        ReadCase{"SqlDateTimeLetterIsNull", kSqlDateTime, "x2024", Null()},
        // Written back, a field has no room for a sign.
        ReadCase{"SqlDateTimeNegativeFieldIsZero", kSqlDateTime, "2024-1-5",
                 Present(SqlRecord(2024, 0, 0, 0, 0, 0, 0))},
        ReadCase{"StringCutToWidth", kString5, "abcdefg", Present("abcde")},
        ReadCase{"StringEmptyIsEmpty", kString5, "", Present("")},
        ReadCase{"StringEntitiesBeforeTheCut", kString5, "&lt;&lt;&lt;&lt;&lt;&lt;",
                 Present("<<<<<")},
        ReadCase{"TextBlobDropsOneTrailingZero", kTextBlob, "abc&#0;&#0;",
                 Present(std::string("abc\0", 4))},
        ReadCase{"TextBlobEmptyIsNull", kTextBlob, "", Null()},
        ReadCase{"Wide", kWide, "a&#8364;\xE9", Present(StoredWide(u"a\u20AC\u00E9"))},
        ReadCase{"WideEmptyIsEmpty", kWide, "", Present("")},
        ReadCase{"WideBlobEmptyIsNull", kWideBlob, "", Null()},
        ReadCase{"Bytes", kBytes, "Zm9v\r\nYg==", Present("foob")},
        ReadCase{"BytesEmptyIsNull", kBytes, "", Null()},
        ReadCase{"Array", kUIntArray, " 3 1  8", Present(Int32(3) + Int32(1) + Int32(8))},
        ReadCase{"ArrayNumbersAsAtol", kUIntArray, "-1 x 7<",
                 Present(Int32(-1) + Int32(0) + Int32(7))}),
    [](const auto& info) { return std::string(info.param.name); });

void ExpectOutOfRange(const ColumnFormat& format, std::string_view text) {
    try {
        ReadText(format, text);
        ADD_FAILURE() << text << " accepted";
    } catch (const EStoreError& error) {
        EXPECT_EQ(error.Code(), store::kCodeValueOutOfRange) << text;
    }
}

TEST(ReadTextTest, FixedWithTooManyIntegerDigitsFails) {
    for (std::string_view text : {"123456789012", "12345678901234567", "-123456789012.5"})
        ExpectOutOfRange(kFixed, text);
    EXPECT_EQ(ReadText(kFixed, "12345678901"), Present(Units(123456789010000)));
}

// Without a declared precision the binary form's 32 digits hold the value.
TEST(ReadTextTest, FixedWithoutPrecisionHoldsAtMost32Digits) {
    const ColumnFormat scale32 = Format(StoredKind::Bcd, 32, false, 0, 32);
    ExpectOutOfRange(scale32, "5");
    EXPECT_EQ(ReadText(scale32, "0.5"),
              Present(store::EncodeDecimalUnits(5 * store::PowerOfTen(31))));
}

struct WriteCase {
    const char* name;
    ColumnFormat format;
    std::string stored;
    std::string_view text;
    bool readsBack = true;  // the text reads back to the same stored form
};

class WriteTextTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteTextTest, WritesTheTextForm) {
    const auto converter = CreateConverter("c", GetParam().format, PacketForm::Xml);
    std::string text = "<";
    converter->Write(GetParam().stored, text);
    EXPECT_EQ(text.substr(1), GetParam().text);
    if (GetParam().readsBack) {
        EXPECT_EQ(ReadText(GetParam().format, text.substr(1)), Present(GetParam().stored));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteTextTest,
    ::testing::Values(
        WriteCase{"Negative", kI4, Int32(-7), "-7"},
        WriteCase{"UnsignedByteAsSigned", kUi1, "\xC8", "-56"},
        WriteCase{"EightBytes", kI8, LittleEndian(static_cast<uint64_t>(INT64_MIN), 8),
                  "-9223372036854775808"},
        WriteCase{"True", kBoolean, LittleEndian(1, 2), "TRUE"},
        WriteCase{"False", kBoolean, LittleEndian(0, 2), "FALSE"},
        WriteCase{"Real", kR8, StoredDouble(0.1), "0.1"},
        WriteCase{"RealSixteenDigits", kR8, StoredDouble(1.0 / 3), "0.3333333333333333"},
        // Sixteen digits would read back as another double.
        WriteCase{"RealSeventeenDigits", kR8, StoredDouble(24444444444444445.0),
                  "24444444444444444"},
        WriteCase{"ExtendedWritesNothing", kR10, std::string(10, '\1'), "", false},
        WriteCase{"FixedScale4", kFixed, Units(125000), "12.5000"},
        WriteCase{"FixedNegative", kFixed, Units(-30000), "-3.0000"},
        WriteCase{"FixedZero", kFixed, Units(0), "0.0000"},
        WriteCase{"FixedFraction", kFixed, Units(-5), "-0.0005"},
        WriteCase{"FixedScale0Zero", kFixedScale0, Units(0), "0"},
        WriteCase{"Date", kDate, Int32(kJan31), "20240131"},
        WriteCase{"Time", kTime, Int32(kTenThirtySeven250), "10:30:07250"},
        WriteCase{"DateTimeMidnight", kDateTime, StoredDouble(kJan31 * 86400000.0), "20240131"},
        WriteCase{"DateTime", kDateTime, StoredDouble(kJan31 * 86400000.0 + kTenThirtySeven250),
                  "20240131T10:30:07250"},
        WriteCase{"SqlDateTime", kSqlDateTime, SqlRecord(2024, 1, 31, 10, 30, 7, 250),
                  "20240131T10:30:07250"},
        WriteCase{"SqlDateTimeMidnight", kSqlDateTime, SqlRecord(2024, 1, 31, 0, 0, 0, 0),
                  "20240131"},
        WriteCase{"StringAsItIs", kString5, "a<&\"", "a<&\""},
        WriteCase{"StringEmpty", kString5, "", ""},
        WriteCase{"WideReferences", kWide, StoredWide(u"a\u00E9\u20AC\u0001"),
                  "a&\x01"
                  "233;&\x01"
                  "8364;&\x01"
                  "001;",
                  false},
        WriteCase{"Bytes", kBytes, "foob", "Zm9vYg=="},
        WriteCase{"Array", kUIntArray, Int32(3) + Int32(1) + Int32(0x8001), "3 1 32769"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::datapacket
