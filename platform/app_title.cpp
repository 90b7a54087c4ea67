#include "platform/app_title.h"

#include <unicode/uchar.h>

#include "platform/codepage.h"
#include "platform/file_system.h"

namespace velmora::platform {

std::string AppTitleFromPath(std::string_view executablePath) {
    std::string_view name = executablePath.substr(executablePath.rfind('/') + 1);
    name = name.substr(0, name.find('.'));
    // Lowered in Unicode so that accented capitals of the code page follow the same rule.
    std::u16string title = ToUtf16(FromUtf8(name));
    for (size_t i = 1; i < title.size(); ++i) title[i] = static_cast<char16_t>(u_tolower(title[i]));
    return FromUtf16(title);
}

std::string AppTitle() {
    static const std::string title = AppTitleFromPath(ExecutablePath());
    return title;
}

}  // namespace velmora::platform
