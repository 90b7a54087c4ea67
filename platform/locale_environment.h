#pragma once
// Which locale the user's environment names for a category, in the form ICU takes.

#include <string>
#include <string_view>

namespace velmora::platform {

// "pt_BR.UTF-8" -> "pt_BR", "de_DE@euro" -> "de_DE"; "C", "POSIX" and "" -> "" (no locale).
std::string IcuLocaleName(std::string_view posixName);

// The locale of a category as the C library would choose it: the first non-empty one of
// LC_ALL, the category's own variable (e.g. "LC_NUMERIC") and LANG, through IcuLocaleName.
// Empty when none is set or the choice is the C locale. The process locale is not touched.
std::string LocaleFromEnvironment(const char* categoryVariable);

}  // namespace velmora::platform
