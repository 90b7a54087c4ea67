// The INI reader and writer over any text. Besides not crashing: a key written into the text
// reads back with the written value, and the other keys read as before.

#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "platform/profile_file.h"

using namespace velmora::platform;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto before = FindProfileValue(text, "FORNECEDOR", "IDENTIFICADOR");
    FindProfileValue(text, "fornecedor", "razaosocial");

    const std::string written = SetProfileValue(text, "FORNECEDOR", "RAZAOSOCIAL", "ACME Ltda");
    const auto after = FindProfileValue(written, "fornecedor", "razaosocial");
    FUZZ_CHECK(after && *after == "ACME Ltda");
    FUZZ_CHECK(FindProfileValue(written, "FORNECEDOR", "IDENTIFICADOR") == before);
    return 0;
}
