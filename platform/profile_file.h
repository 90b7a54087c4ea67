#pragma once
// Profile (INI) files: "[section]" lines, each followed by "key=value" lines. Sections and keys
// are matched without regard to ASCII letter case and to blanks around them; the first match
// counts. A value is everything after the first "=", kept as written (blanks included).
//
// The file on disk is UTF-8. The text functions work on that UTF-8 text and are pure; the file
// functions take and give text in the program's code page and convert at this edge.

#include <optional>
#include <string>
#include <string_view>

namespace velmora::platform {

// The values of a profile file are read up to this many characters.
constexpr size_t kMaxProfileValueLength = 2047;

// The value of the key in the section of an INI text, or nothing when either is missing.
std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key);

// The INI text with the key set to the value: an existing key line is rewritten; a new key goes
// after the section's last non-blank line; a missing section is appended with the key. Every
// other line stays byte for byte; new lines end as the text's first line does ("\r\n" or "\n").
// Line breaks inside the value become blanks, so a value cannot add lines of its own.
// REQUIRES: section holds no "]" and no line break; key holds no "=" and no line break.
std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value);

// The value of a key of a profile file, cut to kMaxProfileValueLength characters; the default
// when the file cannot be read or lacks the section or key.
std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue);

// Writes the key, creating the file and the section when missing and keeping every other line.
// The file is replaced atomically under an exclusive lock. Raises EFileError "Unable to write
// to <path>" when it cannot be written (the folder is missing or not writable, ...).
void WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace velmora::platform
