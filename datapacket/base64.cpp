#include "datapacket/base64.h"

#include <array>
#include <cstdint>

namespace velmora::datapacket {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int8_t kNotInAlphabet = -1;

constexpr std::array<int8_t, 256> MakeSextets() {
    std::array<int8_t, 256> sextets{};
    sextets.fill(kNotInAlphabet);
    for (size_t i = 0; i < kAlphabet.size(); ++i)
        sextets[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int8_t>(i);
    return sextets;
}
constexpr std::array<int8_t, 256> kSextets = MakeSextets();

// Appends the first `bytes` bytes (1 to 3) of the group held in `bits` (24 bits).
void AppendGroup(uint32_t bits, int bytes, std::string& out) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((bits >> (16 - 8 * i)) & 0xFF);
}

}  // namespace

void AppendBase64(std::string_view bytes, std::string& out) {
    out.reserve(out.size() + (bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t bits = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16 |
                              static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8 |
                              static_cast<unsigned char>(bytes[i + 2]);
        for (int shift = 18; shift >= 0; shift -= 6) out += kAlphabet[(bits >> shift) & 0x3F];
    }
    const size_t rest = bytes.size() - i;
    if (rest == 0) return;
    uint32_t bits = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
    if (rest == 2) bits |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    out += kAlphabet[(bits >> 18) & 0x3F];
    out += kAlphabet[(bits >> 12) & 0x3F];
    out += rest == 2 ? kAlphabet[(bits >> 6) & 0x3F] : '=';
    out += '=';
}

void AppendDecodedBase64(std::string_view text, std::string& out) {
    out.reserve(out.size() + text.size() / 4 * 3);
    uint32_t bits = 0;
    int sextets = 0;
    for (char c : text) {
        const int8_t value = kSextets[static_cast<unsigned char>(c)];
        if (value != kNotInAlphabet) {
            bits = bits << 6 | static_cast<uint32_t>(value);
            if (++sextets == 4) {
                AppendGroup(bits, 3, out);
                bits = 0;
                sextets = 0;
            }
        } else if (c == '=' && sextets >= 2) {
            AppendGroup(bits << (6 * (4 - sextets)), sextets - 1, out);
            bits = 0;
            sextets = 0;
        }
    }
    if (sextets >= 2) AppendGroup(bits << (6 * (4 - sextets)), sextets - 1, out);
}

}  // namespace velmora::datapacket
