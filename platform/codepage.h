#pragma once
// Conversions between the program's 8-bit code page (Windows-1252, the "ANSI code page") and
// Unicode. What cannot be mapped becomes the converter's replacement character.

#include <string>
#include <string_view>

namespace velmora::platform {

std::string ToUtf8(std::string_view ansi);
std::string FromUtf8(std::string_view utf8);
std::u16string ToUtf16(std::string_view ansi);
// ToUtf16 into an existing string, reusing its storage (for hot paths).
void AssignUtf16(std::string_view ansi, std::u16string& target);
std::string FromUtf16(std::u16string_view utf16);

}  // namespace velmora::platform
