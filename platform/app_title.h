#pragma once
// The application title that captions error boxes: the executable's file name without folder
// and without everything from its first "." on, every letter after the first in lower case.
// The path is UTF-8 bytes; the title is text in the program's code page.

#include <string>
#include <string_view>

namespace velmora::platform {

// "/opt/x/VELMORA.EXE" -> "Velmora"; the first letter keeps its case.
std::string AppTitleFromPath(std::string_view executablePath);

// The title of the running executable, worked out once.
std::string AppTitle();

}  // namespace velmora::platform
