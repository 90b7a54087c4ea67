// Typed number text, as every field kind reads it. Besides not crashing: a fixed-point value
// that reads comes back unchanged through its general number text, and the field readers agree
// with the plain parsers.

#include <cmath>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "platform/errors.h"
#include "store/number_parse.h"
#include "store/number_text.h"

using namespace velmora;
using namespace velmora::store;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const NumberSettings settings{',', '.'};

    if (const auto fixed = ParseFixedPoint(text, settings)) {
        const auto again = ParseFixedPoint(FixedPointText(*fixed, settings), settings);
        FUZZ_CHECK(again && *again == *fixed);
    }
    // Near the largest double, the 15-digit text may round beyond it.
    if (const auto number = ParseFloat(text, settings); number && std::fabs(*number) < 1e308) {
        const auto again = ParseFloat(FloatText(*number, settings), settings);
        FUZZ_CHECK(again.has_value());
    }
    const auto integer = ParseInteger(text);
    try {
        FUZZ_CHECK(IntegerFieldValue(text, "campo") == integer);
    } catch (const EConvertError&) {
        FUZZ_CHECK(!integer);
    }
    try {
        FixedPointFieldValue(text, "campo", settings);
        FloatFieldValue(text, "campo", settings);
        TextAsInt32(text);
        TextAsNumber(text, settings);
    } catch (const EConvertError&) {
    }
    return 0;
}
