#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"

namespace velmora::cli {
namespace {

struct Outcome {
    int status;
    std::string out, err;
};

Outcome RunCli(std::vector<std::string> args) {
    std::ostringstream out, err;
    int status = Run(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(CliUsage, HelpAndVersionSucceedOnStandardOutput) {
    auto help = RunCli({"--help"});
    EXPECT_EQ(help.status, kSuccess);
    EXPECT_NE(help.out.find("Usage: velmora-cli"), std::string::npos);
    auto version = RunCli({"--version"});
    EXPECT_EQ(version.status, kSuccess);
    EXPECT_EQ(version.out.rfind("velmora-cli ", 0), 0u);
}

TEST(CliUsage, WrongUsageExitsWithTwoAndExplainsOnStandardError) {
    for (auto args : {std::vector<std::string>{}, {"frobnicate"}, {"--help", "extra"}}) {
        auto outcome = RunCli(args);
        EXPECT_EQ(outcome.status, kUsageError);
        EXPECT_TRUE(outcome.out.empty());
        EXPECT_NE(outcome.err.find("velmora-cli --help"), std::string::npos);
    }
}

}  // namespace
}  // namespace velmora::cli
