#pragma once
// Escaping of attribute values in a written XML datapacket.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "datapacket/FLDUnicode.h"

namespace velmora::datapacket {

namespace escape_detail {

// Per byte: 0 when it is written as it is, else the index of its reference in kReferences.
// Index 1 is "&" (which may also start a wide-text numeric reference, see ForEachEscapedPiece).
inline constexpr std::array<uint8_t, 256> kClasses = [] {
    std::array<uint8_t, 256> classes{};
    const char escaped[] = {'&', '<', '>', '\'', '"', '\r', '\n', '\t', '\\'};
    for (uint8_t i = 0; i < sizeof escaped; ++i)
        classes[static_cast<unsigned char>(escaped[i])] = static_cast<uint8_t>(i + 1);
    return classes;
}();
inline constexpr std::string_view kReferences[] = {
    "", "&amp;", "&lt;", "&gt;", "&apos;", "&quot;", "&#013;", "&#010;", "&#009;", "&#092;"};
inline constexpr uint8_t kAmpersand = 1;
inline constexpr std::string_view kNumericReferenceStart = "&#";

// The first byte in [p, end) that has a reference, or end. Values are mostly plain text, so
// sixteen bytes are tested at once (a compiler vector, compiled to SIMD compares where the
// processor has them).
inline const char* NextEscaped(const char* p, const char* end) {
    using Block = unsigned char __attribute__((vector_size(16)));
    constexpr size_t kBlock = sizeof(Block);
    while (static_cast<size_t>(end - p) >= kBlock) {
        Block bytes;
        std::memcpy(&bytes, p, kBlock);
        const auto hits = (bytes == '&') | (bytes == '<') | (bytes == '>') | (bytes == '\'') |
                          (bytes == '"') | (bytes == '\r') | (bytes == '\n') | (bytes == '\t') |
                          (bytes == '\\');
        uint64_t halves[2];
        static_assert(sizeof hits == sizeof halves);
        std::memcpy(halves, &hits, sizeof halves);
        for (size_t half = 0; half < 2; ++half) {
            if (halves[half] == 0) continue;
            const int bit = std::endian::native == std::endian::little
                                ? std::countr_zero(halves[half])
                                : std::countl_zero(halves[half]);
            return p + half * 8 + static_cast<size_t>(bit / 8);
        }
        p += kBlock;
    }
    while (p < end && kClasses[static_cast<unsigned char>(*p)] == 0) ++p;
    return p;
}

}  // namespace escape_detail

// Whether a text is a wide-text converter's output, in which "&" and the reference mark start a
// numeric reference, or a text whose every byte stands for itself (8-bit text may hold both).
enum class MarkedReferences { No, Yes };

// Hands `text` to `append` (called with std::string_view pieces, in order) with "<", ">",
// "&", apostrophe, double quote, carriage return, line feed, tab and backslash replaced by
// their references ("&lt;" ... "&#092;"); the bytes between them go as whole runs. In a marked
// text an "&" followed by the reference mark (byte 1, see FLDUnicode.h) becomes "&#": that is
// how wide-text converters write their numeric references.
// Windows-1252 has no lead bytes, so every byte is a character of its own here.
template <typename Append>
void ForEachEscapedPiece(std::string_view text, MarkedReferences marked, Append&& append) {
    using namespace escape_detail;
    const char* const end = text.data() + text.size();
    const char* run = text.data();
    for (const char* p = NextEscaped(run, end); p < end; p = NextEscaped(run, end)) {
        if (p > run) append(std::string_view(run, static_cast<size_t>(p - run)));
        const uint8_t reference = kClasses[static_cast<unsigned char>(*p)];
        if (reference == kAmpersand && marked == MarkedReferences::Yes && p + 1 < end &&
            p[1] == kReferenceMark) {
            append(kNumericReferenceStart);
            ++p;
        } else {
            append(kReferences[reference]);
        }
        run = p + 1;
    }
    if (end > run) append(std::string_view(run, static_cast<size_t>(end - run)));
}

// The same, appended to a string.
inline void AppendEscaped(std::string_view text, MarkedReferences marked, std::string& out) {
    ForEachEscapedPiece(text, marked, [&out](std::string_view piece) { out.append(piece); });
}

}  // namespace velmora::datapacket
