#include "datapacket/field_types.h"

#include <gtest/gtest.h>

namespace velmora::datapacket {
namespace {

struct NameCase {
    const char* name;
    uint32_t word;  // 0: no type
};

class FieldTypeNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(FieldTypeNameTest, GivesTheStoredTypeWord) {
    store::StoredType type;
    const bool known = StoredTypeOfName(GetParam().name, type);
    EXPECT_EQ(known ? type.Word() : 0u, GetParam().word);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldTypeNameTest,
    ::testing::Values(
        NameCase{"i1", 0x10001}, NameCase{"i2", 0x10002}, NameCase{"i4", 0x10004},
        NameCase{"i8", 0x10008}, NameCase{"int", 0x10004}, NameCase{"i", 0x10004},
        NameCase{"ui1", 0x20001}, NameCase{"ui2", 0x20002}, NameCase{"ui4", 0x20004},
        NameCase{"ui8", 0x20008}, NameCase{"uint", 0x20004}, NameCase{"boolean", 0x30002},
        NameCase{"r8", 0x40008}, NameCase{"r10", 0x4000A}, NameCase{"fixed", 0x50020},
        NameCase{"Fnord", 0x50020}, NameCase{"fixedFMT", 0x120020}, NameCase{"FIXEDfmt", 0x120020},
        NameCase{"date", 0x60004}, NameCase{"time", 0x70004}, NameCase{"dateTime", 0x80008},
        NameCase{"SQLdateTime", 0x110010}, NameCase{"string", 0x490001},
        NameCase{"STRING", 0x490001}, NameCase{"string.uni", 0x4A0001},
        NameCase{"bin.hex", 0x4B0001}, NameCase{"struct", 0x10C0000}, NameCase{"nested", 0x50E0000},
        NameCase{"IntArray", 0x810004}, NameCase{"uintarray", 0x820004}, NameCase{"money", 0},
        NameCase{"strings", 0}, NameCase{"", 0}, NameCase{"r4", 0}));

TEST(ParameterTypeTest, KnownNamesHaveTheirTypeAndOthersAreText) {
    EXPECT_EQ(ParameterTypeOf("change_log", true).Word(), 0x820004u);
    EXPECT_EQ(ParameterTypeOf("LCID", true).Word(), 0x10002u);
    EXPECT_EQ(ParameterTypeOf("AUTOINCVALUE", true).Word(), 0x10004u);
    EXPECT_EQ(ParameterTypeOf("Delta", true).Word(), 0x30002u);
    EXPECT_EQ(ParameterTypeOf("MD_FIELDLINKS", true).Word(), 0x810004u);
    EXPECT_EQ(ParameterTypeOf("MD_FIELDLINKS", false), kStringType);
    EXPECT_EQ(ParameterTypeOf("ORIGIN", true), kStringType);
}

}  // namespace
}  // namespace velmora::datapacket
