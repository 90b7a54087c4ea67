#pragma once
// Text at the Qt edge: the program's own text is Windows-1252, file paths are UTF-8 bytes.

#include <QString>
#include <string>
#include <string_view>

#include "platform/codepage.h"

namespace velmora::ui {

inline QString ToQString(std::string_view ansi) {
    return QString::fromStdString(platform::ToUtf8(ansi));
}

inline QString PathToQString(const std::string& utf8Path) {
    return QString::fromStdString(utf8Path);
}

inline std::string PathFromQString(const QString& path) {
    return path.toStdString();
}

}  // namespace velmora::ui
