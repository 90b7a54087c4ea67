#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "platform/errors.h"
#include "tests/platform/case_name.h"
#include "tests/platform/temp_folder.h"

namespace velmora::platform {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

struct FindCase {
    const char* name;
    const char* text;
    const char* section;
    const char* key;
    std::optional<std::string> value;
};

class FindProfileValueTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindProfileValueTest, FindsTheFirstMatchingKeyOfTheSection) {
    const FindCase& c = GetParam();
    EXPECT_EQ(FindProfileValue(c.text, c.section, c.key), c.value);
}

constexpr const char* kSupplier =
    "; settings\n[OTHER]\nRAZAOSOCIAL=wrong\n[FORNECEDOR]\nRAZAOSOCIAL=Acme\nTIPOEMPRESA=2\n";

INSTANTIATE_TEST_SUITE_P(
    Texts, FindProfileValueTest,
    ::testing::Values(
        FindCase{"KeyOfItsSection", kSupplier, "FORNECEDOR", "RAZAOSOCIAL", "Acme"},
        FindCase{"SectionAndKeyIgnoreCase", kSupplier, "fornecedor", "RazaoSocial", "Acme"},
        FindCase{"MissingKey", kSupplier, "FORNECEDOR", "IDENTIFICADOR", std::nullopt},
        FindCase{"MissingSection", kSupplier, "NONE", "RAZAOSOCIAL", std::nullopt},
        FindCase{"KeyBeforeAnySection", "A=1\n[S]\n", "S", "A", std::nullopt},
        FindCase{"BlanksAroundNamesIgnored", " [ S ] \n  A \t= v\n", "S", "A", " v"},
        FindCase{"ValueKeptAsWritten", "[S]\nA=  two  words  \n", "S", "A", "  two  words  "},
        FindCase{"ValueWithEquals", "[S]\nA=x=y\n", "S", "A", "x=y"},
        FindCase{"EmptyValue", "[S]\nA=\n", "S", "A", ""},
        FindCase{"CrLfLines", "[S]\r\nA=v\r\nB=w\r\n", "S", "B", "w"},
        FindCase{"LastLineWithoutBreak", "[S]\nA=v", "S", "A", "v"},
        FindCase{"ByteOrderMark", "\xEF\xBB\xBF[S]\nA=v\n", "S", "A", "v"},
        FindCase{"FirstDuplicateWins", "[S]\nA=1\nA=2\n[S]\nA=3\n", "S", "A", "1"},
        FindCase{"SecondSectionOfSameName", "[S]\nB=1\n[T]\n[s]\nA=3\n", "S", "A", std::nullopt},
        FindCase{"LineWithoutEquals", "[S]\nA\nA=v\n", "S", "A", "v"},
        FindCase{"UnclosedSectionLine", "[S\nA=v\n", "S", "A", "v"},
        FindCase{"EmptyText", "", "S", "A", std::nullopt}),
    testing::kCaseName);

struct SetCase {
    const char* name;
    const char* before;
    const char* value;
    const char* after;
};

class SetProfileValueTest : public ::testing::TestWithParam<SetCase> {};

TEST_P(SetProfileValueTest, ChangesOnlyTheKeyLine) {
    const SetCase& c = GetParam();
    EXPECT_EQ(SetProfileValue(c.before, "FORNECEDOR", "TIPOEMPRESA", c.value), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SetProfileValueTest,
    ::testing::Values(SetCase{"EmptyText", "", "-1", "[FORNECEDOR]\nTIPOEMPRESA=-1\n"},
                      SetCase{"ExistingKeyAnyCase", "; c\n[fornecedor]\nA=1\ntipoEmpresa=0\nB=2\n",
                              "2", "; c\n[fornecedor]\nA=1\nTIPOEMPRESA=2\nB=2\n"},
                      SetCase{"NewKeyAfterLastLineOfSection", "[FORNECEDOR]\nA=1\n\n[X]\nY=1\n",
                              "2", "[FORNECEDOR]\nA=1\nTIPOEMPRESA=2\n\n[X]\nY=1\n"},
                      SetCase{"NewKeyInSectionAtEndWithoutBreak", "[FORNECEDOR]\nA=1", "2",
                              "[FORNECEDOR]\nA=1\nTIPOEMPRESA=2\n"},
                      SetCase{"NewKeyUnderBareSection", "[FORNECEDOR]", "2",
                              "[FORNECEDOR]\nTIPOEMPRESA=2\n"},
                      SetCase{"NewSectionAfterText", "[X]\r\nY=1", "2",
                              "[X]\r\nY=1\r\n[FORNECEDOR]\r\nTIPOEMPRESA=2\r\n"},
                      SetCase{"LastLineEndingInBareCr", "[FORNECEDOR]\r\nA=1\r", "2",
                              "[FORNECEDOR]\r\nA=1\r\nTIPOEMPRESA=2\r\n"},
                      SetCase{"NewSectionAfterBareCr", "[X]\nY=1\r", "2",
                              "[X]\nY=1\r\n[FORNECEDOR]\nTIPOEMPRESA=2\n"},
                      SetCase{"CrLfKept", "[FORNECEDOR]\r\nTIPOEMPRESA=0\r\n", "1",
                              "[FORNECEDOR]\r\nTIPOEMPRESA=1\r\n"},
                      SetCase{"ValueStoredAsTyped", "[FORNECEDOR]\n", "  a  ",
                              "[FORNECEDOR]\nTIPOEMPRESA=  a  \n"},
                      SetCase{"LineBreaksInValueCannotAddKeys", "[FORNECEDOR]\n", "a\r\nB=1",
                              "[FORNECEDOR]\nTIPOEMPRESA=a  B=1\n"}),
    testing::kCaseName);

class ProfileFileTest : public ::testing::Test {
protected:
    TempFolder dir_;
    const std::string path_ = dir_ / "config.ini";
};

TEST_F(ProfileFileTest, WriteCreatesTheFileAndReadGivesTheValuesBack) {
    WriteProfileString(path_, "FORNECEDOR", "RAZAOSOCIAL", "");
    WriteProfileString(path_, "FORNECEDOR", "IDENTIFICADOR", "");
    WriteProfileString(path_, "FORNECEDOR", "TIPOEMPRESA", "-1");
    EXPECT_EQ(ReadBytes(path_), "[FORNECEDOR]\nRAZAOSOCIAL=\nIDENTIFICADOR=\nTIPOEMPRESA=-1\n");
    EXPECT_EQ(ReadProfileString(path_, "fornecedor", "tipoempresa", "x"), "-1");
    EXPECT_EQ(ReadProfileString(path_, "FORNECEDOR", "RAZAOSOCIAL", "x"), "");
}

TEST_F(ProfileFileTest, AccentedValuesAreUtf8OnDiskAndCodePageInTheProgram) {
    const std::string name = FromUtf8("  Construções São João Ltda");
    WriteProfileString(path_, "FORNECEDOR", "RAZAOSOCIAL", name);
    EXPECT_EQ(ReadBytes(path_), "[FORNECEDOR]\nRAZAOSOCIAL=  Construções São João Ltda\n");
    EXPECT_EQ(ReadProfileString(path_, "FORNECEDOR", "RAZAOSOCIAL", ""), name);
}

TEST_F(ProfileFileTest, WritingKeepsEveryOtherLine) {
    WriteBytes(path_, "; hand-written\n[FORNECEDOR]\nRAZAOSOCIAL=Old\n\n[OUTRA]\nK=v\n");
    WriteProfileString(path_, "Fornecedor", "razaosocial", "New");
    EXPECT_EQ(ReadBytes(path_), "; hand-written\n[FORNECEDOR]\nrazaosocial=New\n\n[OUTRA]\nK=v\n");
}

TEST_F(ProfileFileTest, ReadGivesTheDefaultWhenFileSectionOrKeyIsMissing) {
    EXPECT_EQ(ReadProfileString(path_, "FORNECEDOR", "RAZAOSOCIAL", "none"), "none");
    WriteBytes(path_, "[FORNECEDOR]\nA=1\n");
    EXPECT_EQ(ReadProfileString(path_, "FORNECEDOR", "RAZAOSOCIAL", "none"), "none");
    EXPECT_EQ(ReadProfileString(path_, "OUTRA", "A", "none"), "none");
}

TEST_F(ProfileFileTest, ReadCutsLongValues) {
    const std::string longValue(3000, 'x');
    WriteProfileString(path_, "S", "K", longValue);
    EXPECT_EQ(ReadProfileString(path_, "S", "K", ""), longValue.substr(0, kMaxProfileValueLength));
    EXPECT_EQ(FindProfileValue(ReadBytes(path_), "S", "K"), longValue);
}

TEST_F(ProfileFileTest, FailedWriteRaisesUnableToWrite) {
    const std::string missing = dir_ / "gone/config.ini";
    try {
        WriteProfileString(missing, "S", "K", "v");
        FAIL() << "wrote into a missing folder";
    } catch (const EFileError& error) {
        EXPECT_EQ(error.Message(), "Unable to write to " + missing);
    }
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{});
}

}  // namespace
}  // namespace velmora::platform
