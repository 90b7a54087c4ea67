#include "platform/profile_file.h"

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/file_system.h"

namespace velmora::platform {

std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue) {
    std::string text;
    try {
        text = ReadFileShared(path);
    } catch (const EFileError&) {
        return std::string(defaultValue);
    }
    std::optional<std::string> value = FindProfileValue(text, ToUtf8(section), ToUtf8(key));
    if (!value) return std::string(defaultValue);
    std::string ansi = FromUtf8(*value);
    if (ansi.size() > kMaxProfileValueLength) ansi.resize(kMaxProfileValueLength);
    return ansi;
}

void WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    try {
        ExclusiveFile file = ExclusiveFile::LockForReplace(path);
        file.ReplaceContent(
            SetProfileValue(file.ReadAll(), ToUtf8(section), ToUtf8(key), ToUtf8(value)));
    } catch (const EFileError&) {
        throw EFileError("Unable to write to " + FromUtf8(AbsolutePath(path)));
    }
}

}  // namespace velmora::platform
