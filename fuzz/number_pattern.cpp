// The number-pattern renderer over any pattern text: the first eight bytes give the value
// (as fixed-point units, as a double and as an integer), the rest is the pattern. The findings
// are crashes, hangs and what the sanitizers report.

#include <cstdint>
#include <cstring>
#include <string_view>

#include "store/number_pattern.h"

using namespace velmora::store;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < sizeof(int64_t)) return 0;
    int64_t bits = 0;
    std::memcpy(&bits, data, sizeof bits);
    const std::string_view pattern(reinterpret_cast<const char*>(data) + sizeof bits,
                                   size - sizeof bits);
    const NumberSettings settings{',', '.'};

    FormatFixedPoint(FixedPoint{bits}, pattern, settings);
    double number = 0;
    std::memcpy(&number, &bits, sizeof number);
    FormatFloat(number, pattern, settings);
    FormatInteger(static_cast<int32_t>(bits), pattern, settings);
    return 0;
}
