#pragma once
// The LIKE pattern match: "%" matches any run of characters (also none; "%%" is one "%"),
// "_" exactly one character, "\" makes the next character literal (a "\" at the end stands
// for itself); any other character must equal the text's character.

#include <string_view>

#include "store/expression_collation.h"

namespace velmora::store {

// Characters compare byte for byte when ignoreCase is nullptr, else one by one with that
// collation ignoring letter case. Runs in O(text * pattern) at worst, without recursion.
bool LikeMatch(std::string_view text, std::string_view pattern,
               const TextCollation* ignoreCase = nullptr);

}  // namespace velmora::store
