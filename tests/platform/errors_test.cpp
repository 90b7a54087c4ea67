#include "platform/errors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include "platform/codepage.h"
#include "tests/platform/case_name.h"

namespace velmora {
namespace {

// The message of what `raise` throws as E.
template <typename E>
std::string MessageOf(const std::function<void()>& raise) {
    try {
        raise();
    } catch (const E& error) {
        return error.what();
    }
    return "(nothing of the expected type raised)";
}

TEST(DatabaseError, PrefixesTheTableNameWhenThereIsOne) {
    EXPECT_EQ(MessageOf<EDatabaseError>([] { DatabaseError("Not in edit mode", "CDSDigitacao"); }),
              "CDSDigitacao: Not in edit mode");
    EXPECT_EQ(MessageOf<EDatabaseError>([] { DatabaseError("Not in edit mode"); }),
              "Not in edit mode");
}

struct BoxCase {
    const char* name;
    std::string message;
    std::string box;
};

class ErrorBoxTextTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(ErrorBoxTextTest, AppendsAPeriodAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(ErrorBoxText(Exception(GetParam().message)), GetParam().box);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ErrorBoxTextTest,
    ::testing::Values(BoxCase{"Letter", "Invalid value", "Invalid value."},
                      BoxCase{"Digit", "code 12", "code 12."}, BoxCase{"Slash", "a/", "a/."},
                      BoxCase{"AccentedLetter", "Descri\xE7\xE3o", "Descri\xE7\xE3o."},
                      BoxCase{"CodePageByteAbove127", "x\xE7", "x\xE7."},
                      BoxCase{"Quote", "'12a' is \"bad\"", "'12a' is \"bad\""},
                      BoxCase{"Period", "Done.", "Done."},
                      BoxCase{"Exclamation", "Informe!", "Informe!"},
                      BoxCase{"Parenthesis", "(x)", "(x)"}, BoxCase{"Blank", "a ", "a "},
                      BoxCase{"Empty", "", ""}),
    platform::testing::kCaseName);

TEST(ErrorBoxText, NamesTheCodeOfAStoreErrorWithoutMessage) {
    const EStoreError error(9732);
    EXPECT_EQ(error.Code(), 9732);
    EXPECT_EQ(error.Message(), "");
    EXPECT_EQ(ErrorBoxText(error),
              platform::FromUtf8("Erro interno do banco de dados (código 9732)."));
}

TEST(ErrorBoxText, TakesAnyStandardException) {
    EXPECT_EQ(ErrorBoxText(std::runtime_error("boom")), "boom.");
}

TEST(EAbort, CarriesTheAbortText) {
    EXPECT_STREQ(EAbort().what(), "Operation aborted");
}

TEST(ConversionErrors, QuoteTheOffendingText) {
    EXPECT_EQ(MessageOf<EConvertError>([] { InvalidIntegerError("12a"); }),
              "'12a' is not a valid integer value");
    EXPECT_EQ(MessageOf<EConvertError>([] { InvalidFloatError("1,2,3"); }),
              "'1,2,3' is not a valid floating point value");
}

TEST(FileErrors, NameThePathInTheCodePageAndEndWithTheSystemText) {
    EXPECT_EQ(MessageOf<EFOpenError>([] { CannotOpenFileError("/p/licitação.xml", ENOENT); }),
              "Cannot open file \"/p/licita\xE7\xE3o.xml\". No such file or directory");
    EXPECT_EQ(MessageOf<EFCreateError>([] { CannotCreateFileError("/p/a.xml", EACCES); }),
              "Cannot create file \"/p/a.xml\". Permission denied");
    EXPECT_EQ(MessageOf<EFileError>([] { CannotCreateFileError("/p/a.xml", EACCES); }),
              "Cannot create file \"/p/a.xml\". Permission denied");
}

}  // namespace
}  // namespace velmora
