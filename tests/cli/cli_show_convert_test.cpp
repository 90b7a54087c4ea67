// show and convert on the sample proposals files, and their failures.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli.h"
#include "platform/file_system.h"

namespace velmora::cli {
namespace {

// The samples folder at the root of the source tree, two levels above this file.
const std::string kSamples = [] {
    const std::string file = __FILE__;
    return file.substr(0, file.rfind('/')) + "/../../samples/";
}();

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome RunCli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = Run(args, out, err);
    return {status, out.str(), err.str()};
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(CliShow, JsonListsColumnsRowsAndSlots) {
    const Outcome shown = RunCli({"show", kSamples + "pregao_itens.xml", "--json", "--slots"});
    ASSERT_EQ(shown.status, kSuccess) << shown.err;
    const auto json = nlohmann::json::parse(shown.out);
    EXPECT_EQ(json["form"], "xml");
    EXPECT_EQ(json["columns"][0]["name"], "id_item");
    EXPECT_EQ(json["columns"][0]["fieldtype"], "i4");
    EXPECT_TRUE(json["columns"][0]["width"].is_null());
    EXPECT_TRUE(json["rows"][0]["id_item"].is_number_integer());
    EXPECT_EQ(json["slots"].size(), json["rows"].size());  // no change log in the sample
    EXPECT_EQ(json["slots"][0]["slot"], 1);
}

TEST(CliConvert, ThroughBinaryAndBackGivesTheSampleAgain) {
    const std::string folder = platform::TempDirectory();
    const std::string binary = folder + "velmora_cli_test.bin";
    const std::string xml = folder + "velmora_cli_test.XML";
    ASSERT_EQ(RunCli({"convert", kSamples + "pregao_lotes.xml", binary}).status, kSuccess);
    EXPECT_EQ(Bytes(binary).substr(0, 4), "\x43\x1C\x7A\x5E");
    const Outcome shown = RunCli({"show", binary, "--json"});
    EXPECT_EQ(nlohmann::json::parse(shown.out)["form"], "binary");
    ASSERT_EQ(RunCli({"convert", binary, xml}).status, kSuccess);
    EXPECT_EQ(Bytes(xml), Bytes(kSamples + "pregao_lotes.xml"));
    ASSERT_EQ(RunCli({"convert", xml, xml + ".bin", "--format", "xml-utf8"}).status, kSuccess);
    EXPECT_EQ(Bytes(xml + ".bin").find("encoding=\"UTF-8\""), 20u);
    std::remove(binary.c_str());
    std::remove(xml.c_str());
    std::remove((xml + ".bin").c_str());
}

struct FailureCase {
    const char* name;
    std::vector<std::string> args;
    int status;
    const char* errorText;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

const FailureCase kFailures[] = {
    {"MissingFile", {"show", "/nonexistent/x.xml"}, kFileError, "Cannot open file"},
    {"NotAPacket", {"show", kSamples + "make_samples.py"}, kFileError, "error 16389 (0x4005)"},
    {"ShowWithoutFile", {"show"}, kUsageError, "show needs a FILE"},
    {"ConvertWithOnePath", {"convert", "a"}, kUsageError, "convert needs IN and OUT"},
    {"UnknownFormat", {"convert", "a", "b", "--format", "csv"}, kUsageError, "unknown format"},
    {"UnwritableTarget",
     {"convert", kSamples + "pregao_itens.xml", "/nonexistent/out.xml"},
     kFileError,
     "Cannot create file"},
};

class CliFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CliFailure, ExitsWithItsStatusAndOneNamedLine) {
    const Outcome outcome = RunCli(GetParam().args);
    EXPECT_EQ(outcome.status, GetParam().status);
    EXPECT_NE(outcome.err.find(GetParam().errorText), std::string::npos) << outcome.err;
}

INSTANTIATE_TEST_SUITE_P(Cases, CliFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::cli
