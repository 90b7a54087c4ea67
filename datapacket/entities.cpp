#include "datapacket/entities.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "datapacket/text_numbers.h"
#include "platform/codepage.h"

namespace velmora::datapacket {
namespace {

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

struct Entity {
    size_t length = 1;     // bytes consumed, the "&" included
    bool numeric = false;  // `value` holds the number of a reference
    uint32_t value = '&';  // the number, or the character of a named entity
};

// REQUIRES: text starts with "&".
Entity ReadEntity(std::string_view text) {
    Entity entity;
    const char second = text.size() > 1 ? text[1] : '\0';
    const char third = text.size() > 2 ? text[2] : '\0';
    auto named = [&](char c, size_t length) {
        entity.value = static_cast<unsigned char>(c);
        entity.length = length < text.size() ? length : text.size();
        return entity;
    };
    switch (second) {
        case 'a':
            return third == 'p' ? named('\'', 6) : named('&', 5);
        case 'g':
            return named('>', 4);
        case 'l':
            return named('<', 4);
        case 'q':
            return named('"', 6);
        case '#':
            break;
        default:
            return entity;
    }
    // The digits first: no ";" stands among them, so the first ";" after "&#" is the first one
    // after them, which in the usual reference is the very next byte.
    const bool hex = third == 'x' || third == 'X';
    uint32_t number = 0;
    size_t i = hex ? 3 : 2;
    for (; i < text.size(); ++i) {
        const int digit = hex ? HexValue(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
        if (digit < 0) break;
        number = number * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
    }
    const size_t semicolon = i < text.size() && text[i] == ';' ? i : text.find(';', i);
    if (semicolon == std::string_view::npos) return entity;
    entity.numeric = true;
    entity.value = number;
    entity.length = semicolon + 1;
    return entity;
}

// Calls plain(bytes) for each run without "&" and entity(e) for each "&" in order.
template <typename Plain, typename OnEntity>
void WalkEntities(std::string_view text, Plain&& plain, OnEntity&& entity) {
    while (!text.empty()) {
        const void* hit = std::memchr(text.data(), '&', text.size());
        const size_t run =
            hit ? static_cast<size_t>(static_cast<const char*>(hit) - text.data()) : text.size();
        if (run > 0) plain(text.substr(0, run));
        text.remove_prefix(run);
        if (text.empty()) break;
        const Entity found = ReadEntity(text);
        entity(found);
        text.remove_prefix(found.length);
    }
}

const std::array<char16_t, 256>& CodePageUnits() {
    static const std::array<char16_t, 256> units = [] {
        std::array<char16_t, 256> table{};
        std::string all(256, '\0');
        for (int b = 0; b < 256; ++b) all[static_cast<size_t>(b)] = static_cast<char>(b);
        const std::u16string wide = platform::ToUtf16(all);
        for (size_t b = 0; b < 256 && b < wide.size(); ++b) table[b] = wide[b];
        return table;
    }();
    return units;
}

}  // namespace

void AppendDecodedText(std::string_view text, std::string& out) {
    // Decoding never lengthens the text: one allocation at most.
    out.reserve(out.size() + text.size());
    WalkEntities(
        text, [&](std::string_view run) { out.append(run); },
        [&](const Entity& e) { out += static_cast<char>(e.value & 0xFF); });
}

void AppendDecodedWideText(std::string_view text, WideBytes bytes, std::string& out) {
    const std::array<char16_t, 256>* table =
        bytes == WideBytes::CodePage ? &CodePageUnits() : nullptr;
    WalkEntities(
        text,
        [&](std::string_view run) {
            for (char c : run) {
                const auto b = static_cast<unsigned char>(c);
                AppendUnit(out, table ? (*table)[b] : static_cast<char16_t>(b));
            }
        },
        [&](const Entity& e) { AppendUnit(out, static_cast<char16_t>(e.value & 0xFFFF)); });
}

}  // namespace velmora::datapacket
