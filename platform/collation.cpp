#include "platform/collation.h"

#include <unicode/ucol.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/codepage.h"
#include "platform/locale_environment.h"

namespace velmora::platform {

namespace {

using CollatorPtr = std::unique_ptr<UCollator, decltype(&ucol_close)>;

CollatorPtr OpenCollator(uint32_t lcid, bool ignoreCase) {
    std::string locale(IcuLocaleOf(lcid));
    if (locale.empty()) locale = LocaleFromEnvironment("LC_COLLATE");
    UErrorCode status = U_ZERO_ERROR;
    CollatorPtr collator(ucol_open(locale.c_str(), &status), &ucol_close);
    if (U_FAILURE(status)) throw std::runtime_error("no collator for locale " + locale);
    // Secondary strength ignores case and keeps accents; tertiary also orders by case.
    ucol_setStrength(collator.get(), ignoreCase ? UCOL_SECONDARY : UCOL_TERTIARY);
    return collator;
}

// Index sorting calls this for every pair it compares, mostly with one locale, so the last
// collator used is remembered apart from the full cache.
const UCollator* CollatorFor(uint32_t lcid, bool ignoreCase) {
    thread_local std::map<std::pair<uint32_t, bool>, CollatorPtr> collators;
    thread_local std::pair<uint32_t, bool> lastKey{0, false};
    thread_local const UCollator* last = nullptr;
    const std::pair key{lcid, ignoreCase};
    if (last && key == lastKey) return last;
    auto found = collators.find(key);
    if (found == collators.end())
        found = collators.emplace(key, OpenCollator(lcid, ignoreCase)).first;
    lastKey = key;
    last = found->second.get();
    return last;
}

std::string_view UpToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

}  // namespace

int CompareText(std::string_view a, std::string_view b, uint32_t lcid, bool ignoreCase) {
    a = UpToZero(a);
    b = UpToZero(b);
    if (a == b) return 0;
    if (!IsKnownLocale(lcid)) lcid = 0;
    thread_local std::u16string left;
    thread_local std::u16string right;
    AssignUtf16(a, left);
    AssignUtf16(b, right);
    const UCollationResult order =
        ucol_strcoll(CollatorFor(lcid, ignoreCase), left.data(), static_cast<int32_t>(left.size()),
                     right.data(), static_cast<int32_t>(right.size()));
    return order == UCOL_LESS ? -1 : (order == UCOL_GREATER ? 1 : 0);
}

}  // namespace velmora::platform
