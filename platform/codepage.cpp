#include "platform/codepage.h"

#include <unicode/ucnv.h>
#include <unicode/uset.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>

namespace velmora::platform {

namespace {

// Unicode text that has no byte in the code page becomes this, as the system converter does.
constexpr char kReplacement = '?';

// Both directions are tables filled once from ICU's converter, so a conversion needs no
// converter object, no lock and no allocation beyond its result.
class CodePageTables {
public:
    CodePageTables() {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<UConverter, decltype(&ucnv_close)> converter(
            ucnv_open("windows-1252", &status), &ucnv_close);
        if (U_FAILURE(status)) throw std::runtime_error("windows-1252 converter unavailable");
        FillToUnicode(converter.get());
        FillFromUnicode(converter.get());
    }

    char16_t ToUnicode(unsigned char byte) const { return toUnicode_[byte]; }
    char FromUnicode(UChar32 codePoint) const {
        if (codePoint < 0 || codePoint >= static_cast<UChar32>(fromUnicode_.size()))
            return kReplacement;
        return static_cast<char>(fromUnicode_[static_cast<size_t>(codePoint)]);
    }

private:
    void FillToUnicode(UConverter* converter) {
        char bytes[256];
        for (int b = 0; b < 256; ++b) bytes[b] = static_cast<char>(b);
        UChar units[256];
        UErrorCode status = U_ZERO_ERROR;
        // Stop instead of substituting so that a byte without a mapping cannot shift the rest.
        ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        int32_t length = ucnv_toUChars(converter, units, 256, bytes, 256, &status);
        if (U_FAILURE(status) || length != 256)
            throw std::runtime_error("windows-1252 converter does not map every byte");
        std::copy(units, units + 256, toUnicode_.begin());
    }

    // Only mappings that round-trip: what ICU would map by best fit still becomes '?'.
    void FillFromUnicode(UConverter* converter) {
        fromUnicode_.fill(static_cast<unsigned char>(kReplacement));
        std::unique_ptr<USet, decltype(&uset_close)> roundTrip(uset_openEmpty(), &uset_close);
        UErrorCode status = U_ZERO_ERROR;
        ucnv_getUnicodeSet(converter, roundTrip.get(), UCNV_ROUNDTRIP_SET, &status);
        if (U_FAILURE(status)) throw std::runtime_error("windows-1252 mapping set unavailable");
        for (int b = 0; b < 256; ++b) {
            char16_t unit = toUnicode_[b];
            if (uset_contains(roundTrip.get(), unit))
                fromUnicode_[unit] = static_cast<unsigned char>(b);
        }
    }

    std::array<char16_t, 256> toUnicode_{};
    std::array<unsigned char, 0x10000> fromUnicode_{};
};

const CodePageTables& Tables() {
    static const CodePageTables tables;
    return tables;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string ToUtf8(std::string_view ansi) {
    if (IsAscii(ansi)) return std::string(ansi);
    const CodePageTables& tables = Tables();
    std::string utf8;
    utf8.reserve(ansi.size() * 2);
    for (char c : ansi) {
        char16_t unit = tables.ToUnicode(static_cast<unsigned char>(c));
        uint8_t encoded[U8_MAX_LENGTH];
        int32_t length = 0;
        U8_APPEND_UNSAFE(encoded, length, unit);
        utf8.append(reinterpret_cast<const char*>(encoded), static_cast<size_t>(length));
    }
    return utf8;
}

std::string FromUtf8(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    const CodePageTables& tables = Tables();
    const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
    const auto length = static_cast<int32_t>(utf8.size());
    std::string ansi;
    ansi.reserve(utf8.size());
    for (int32_t i = 0; i < length;) {
        UChar32 codePoint;
        U8_NEXT(bytes, i, length, codePoint);  // an ill-formed sequence gives a negative value
        ansi += tables.FromUnicode(codePoint);
    }
    return ansi;
}

std::u16string ToUtf16(std::string_view ansi) {
    std::u16string utf16;
    AssignUtf16(ansi, utf16);
    return utf16;
}

void AssignUtf16(std::string_view ansi, std::u16string& target) {
    const CodePageTables& tables = Tables();
    target.resize(ansi.size());
    std::transform(ansi.begin(), ansi.end(), target.begin(),
                   [&tables](char c) { return tables.ToUnicode(static_cast<unsigned char>(c)); });
}

std::string FromUtf16(std::u16string_view utf16) {
    const CodePageTables& tables = Tables();
    const auto length = static_cast<int32_t>(utf16.size());
    std::string ansi;
    ansi.reserve(utf16.size());
    for (int32_t i = 0; i < length;) {
        UChar32 codePoint;
        U16_NEXT(utf16.data(), i, length, codePoint);  // no byte maps to a lone surrogate
        ansi += tables.FromUnicode(codePoint);
    }
    return ansi;
}

}  // namespace velmora::platform
