#include "platform/locale_environment.h"

#include <cstdlib>

namespace velmora::platform {

std::string IcuLocaleName(std::string_view posixName) {
    std::string_view name = posixName.substr(0, posixName.find_first_of(".@"));
    if (name == "C" || name == "POSIX") return {};
    return std::string(name);
}

std::string LocaleFromEnvironment(const char* categoryVariable) {
    for (const char* variable : {"LC_ALL", categoryVariable, "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return IcuLocaleName(value);
    }
    return {};
}

}  // namespace velmora::platform
