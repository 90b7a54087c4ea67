#pragma once
// The text of a value, as text fields store it and AsText shows it: integers as digits,
// fixed-point and floating-point numbers as their general number text, booleans as "True" or
// "False", texts as they are, null as the empty text.

#include <string>

#include "store/value.h"

namespace velmora::store {

std::string ValueText(const Value& value);

}  // namespace velmora::store
