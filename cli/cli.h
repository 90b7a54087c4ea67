#pragma once
// velmora-cli: headless access to the program's datapacket and table code.

#include <iosfwd>
#include <string>
#include <vector>

namespace velmora::cli {

enum ExitStatus { kSuccess = 0, kFileError = 1, kUsageError = 2 };

// Runs one command line (without the program name); output and errors go to the streams.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace velmora::cli
