#pragma once
// The JSON and plain views of a stored table that `velmora-cli show` prints.

#include <nlohmann/json.hpp>
#include <string>

#include "store/STBASE.h"

namespace velmora::cli {

// {"form", "columns", "parameters", "changeLog", "rows"} and, with `slots`, "slots".
nlohmann::ordered_json TableJson(const store::STBASE& table, bool binary, bool slots);

// Columns with their types, parameters, change log and rows, one item a line, in UTF-8.
std::string TablePlainText(const store::STBASE& table, bool binary);

}  // namespace velmora::cli
