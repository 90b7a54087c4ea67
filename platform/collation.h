#pragma once
// Locale-aware comparison of texts in the program's code page, keyed by a Windows numeric
// locale id (LCID): 1046 Portuguese (Brazil), 1033 English (United States), ... and 0 for the
// default locale, the one the environment names for collation (LC_ALL, LC_COLLATE, LANG).

#include <cstdint>
#include <string_view>

namespace velmora::platform {

// Whether the id names a locale this system can collate by. 0 and the two "default locale"
// ids 1024 and 2048 are known and mean the default locale; callers treat an unknown id as 0.
bool IsKnownLocale(uint32_t lcid);

// The ICU locale id of a known LCID ("pt_BR" for 1046); "" for the default locale and for an
// unknown id, which ICU then resolves to its root collation unless the environment names one.
std::string_view IcuLocaleOf(uint32_t lcid);

// Negative, zero or positive as `a` sorts before, with or after `b` in the collation of the
// locale (an unknown id counts as 0). Letter case is ignored when asked; accents never are.
// Each text ends at its first zero byte, as in the rows that hold it. Collators are kept per
// thread and per (locale, case) pair, so a call allocates nothing once warmed up.
int CompareText(std::string_view a, std::string_view b, uint32_t lcid, bool ignoreCase);

}  // namespace velmora::platform
