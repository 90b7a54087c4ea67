#include "cli/cli.h"

#include <ostream>

namespace velmora::cli {

namespace {

constexpr const char* kUsage =
    "Usage: velmora-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Headless companion of Velmora, the price-proposal program.\n"
    "\n"
    "Options:\n"
    "  --help       show this text and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Exit status: 0 on success, 1 when a file cannot be read or written, 2 for wrong usage.\n";

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && args[0] == "--help") {
        out << kUsage;
        return kSuccess;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << "velmora-cli " << VELMORA_VERSION << "\n";
        return kSuccess;
    }
    err << (args.empty() ? "velmora-cli: missing command"
                         : "velmora-cli: unknown command '" + args[0] + "'")
        << "\nTry 'velmora-cli --help'.\n";
    return kUsageError;
}

}  // namespace velmora::cli
