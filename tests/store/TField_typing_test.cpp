// The characters each field kind accepts while typing.

#include <gtest/gtest.h>

#include "platform/regional_settings.h"
#include "store/TBCDField.h"
#include "store/TFloatField.h"
#include "store/TIntegerField.h"
#include "store/TMemoField.h"
#include "store/TStringField.h"

namespace velmora::store {
namespace {

enum class Kind { Decimal, Float, Integer, Text, Memo };

struct TypingCase {
    const char* name;
    Kind kind;
    char key;
    bool accepted;
};

bool Accepts(Kind kind, char key) {
    switch (kind) {
        case Kind::Decimal:
            return TBCDField("preco_ini").AcceptsChar(key);
        case Kind::Float:
            return TFloatField("totitem").AcceptsChar(key);
        case Kind::Integer:
            return TIntegerField("nuitem").AcceptsChar(key);
        case Kind::Text:
            return TStringField("marca").AcceptsChar(key);
        case Kind::Memo:
            break;
    }
    return TMemoField("compl_descr").AcceptsChar(key);
}

class Typing : public ::testing::TestWithParam<TypingCase> {};

TEST_P(Typing, AcceptsOnlyTheKindsCharacters) {
    platform::ScopedSeparators separators({',', '.'});
    EXPECT_EQ(Accepts(GetParam().kind, GetParam().key), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Typing,
    ::testing::Values(TypingCase{"DecimalDigit", Kind::Decimal, '7', true},
                      TypingCase{"DecimalSign", Kind::Decimal, '-', true},
                      TypingCase{"DecimalSeparator", Kind::Decimal, ',', true},
                      TypingCase{"DecimalThousandsSeparator", Kind::Decimal, '.', false},
                      TypingCase{"DecimalExponent", Kind::Decimal, 'E', false},
                      TypingCase{"DecimalBackspace", Kind::Decimal, '\b', true},
                      TypingCase{"FloatExponent", Kind::Float, 'E', true},
                      TypingCase{"FloatSmallExponent", Kind::Float, 'e', true},
                      TypingCase{"FloatSeparator", Kind::Float, ',', true},
                      TypingCase{"FloatLetter", Kind::Float, 'x', false},
                      TypingCase{"IntegerPlus", Kind::Integer, '+', true},
                      TypingCase{"IntegerSeparator", Kind::Integer, ',', false},
                      TypingCase{"TextAnything", Kind::Text, '.', true},
                      TypingCase{"MemoAnything", Kind::Memo, '\xE7', true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::store
