#pragma once
// Names each case of a parameterised test after the `name` member of its row.

#include <string>

namespace velmora::platform::testing {

inline constexpr auto kCaseName = [](const auto& info) { return std::string(info.param.name); };

}  // namespace velmora::platform::testing
