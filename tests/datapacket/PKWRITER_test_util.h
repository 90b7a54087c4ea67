#pragma once
// Helpers for the writer tests: tables read from XML text, and packets written from them.

#include <memory>
#include <string>
#include <string_view>

#include "store/STBASE.h"

namespace velmora::datapacket::testing {

inline constexpr std::string_view kAnsiDeclaration = "<?xml version=\"1.0\" standalone=\"yes\"?>  ";

// kAnsiDeclaration, then DATAPACKET holding METADATA (FIELDS with `fields`, then `params`) and
// ROWDATA with `rows`, all on one line as the writer puts it.
std::string WrittenDocument(std::string_view fields, std::string_view params,
                            std::string_view rows);

std::unique_ptr<store::STBASE> TableOf(std::string_view packet);
// The table read from `packet`, written again in `mode`.
std::string Rewritten(std::string_view packet, int mode);

}  // namespace velmora::datapacket::testing
