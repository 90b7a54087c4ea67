#include <algorithm>
#include <array>
#include <utility>

#include "platform/collation.h"

namespace velmora::platform {

namespace {

struct LocaleId {
    uint32_t lcid;
    std::string_view icuLocale;
};

// Sorted by id. 1034 is Spanish with the traditional sort ("ch" and "ll" as letters), 3082 the
// modern one, as their Windows namesakes.
constexpr std::array kLocaleIds{
    LocaleId{1025, "ar_SA"},  LocaleId{1026, "bg_BG"},
    LocaleId{1027, "ca_ES"},  LocaleId{1028, "zh_TW"},
    LocaleId{1029, "cs_CZ"},  LocaleId{1030, "da_DK"},
    LocaleId{1031, "de_DE"},  LocaleId{1032, "el_GR"},
    LocaleId{1033, "en_US"},  LocaleId{1034, "es_ES@collation=traditional"},
    LocaleId{1035, "fi_FI"},  LocaleId{1036, "fr_FR"},
    LocaleId{1037, "he_IL"},  LocaleId{1038, "hu_HU"},
    LocaleId{1039, "is_IS"},  LocaleId{1040, "it_IT"},
    LocaleId{1041, "ja_JP"},  LocaleId{1042, "ko_KR"},
    LocaleId{1043, "nl_NL"},  LocaleId{1044, "nb_NO"},
    LocaleId{1045, "pl_PL"},  LocaleId{1046, "pt_BR"},
    LocaleId{1048, "ro_RO"},  LocaleId{1049, "ru_RU"},
    LocaleId{1050, "hr_HR"},  LocaleId{1051, "sk_SK"},
    LocaleId{1053, "sv_SE"},  LocaleId{1054, "th_TH"},
    LocaleId{1055, "tr_TR"},  LocaleId{1057, "id_ID"},
    LocaleId{1058, "uk_UA"},  LocaleId{1060, "sl_SI"},
    LocaleId{1061, "et_EE"},  LocaleId{1062, "lv_LV"},
    LocaleId{1063, "lt_LT"},  LocaleId{1066, "vi_VN"},
    LocaleId{1069, "eu_ES"},  LocaleId{1081, "hi_IN"},
    LocaleId{1110, "gl_ES"},  LocaleId{2052, "zh_CN"},
    LocaleId{2055, "de_CH"},  LocaleId{2057, "en_GB"},
    LocaleId{2058, "es_MX"},  LocaleId{2060, "fr_BE"},
    LocaleId{2064, "it_CH"},  LocaleId{2067, "nl_BE"},
    LocaleId{2070, "pt_PT"},  LocaleId{3079, "de_AT"},
    LocaleId{3081, "en_AU"},  LocaleId{3082, "es_ES"},
    LocaleId{3084, "fr_CA"},  LocaleId{4105, "en_CA"},
    LocaleId{4108, "fr_CH"},  LocaleId{5129, "en_NZ"},
    LocaleId{6153, "en_IE"},  LocaleId{7177, "en_ZA"},
    LocaleId{8202, "es_VE"},  LocaleId{9226, "es_CO"},
    LocaleId{10250, "es_PE"}, LocaleId{11274, "es_AR"},
    LocaleId{13322, "es_CL"}, LocaleId{14346, "es_UY"},
    LocaleId{15370, "es_PY"}, LocaleId{16394, "es_BO"},
};

static_assert(std::is_sorted(kLocaleIds.begin(), kLocaleIds.end(),
                             [](LocaleId x, LocaleId y) { return x.lcid < y.lcid; }));

constexpr bool IsDefaultLocale(uint32_t lcid) {
    return lcid == 0 || lcid == 1024 || lcid == 2048;
}

const LocaleId* Find(uint32_t lcid) {
    auto found = std::lower_bound(kLocaleIds.begin(), kLocaleIds.end(), lcid,
                                  [](LocaleId entry, uint32_t id) { return entry.lcid < id; });
    return found != kLocaleIds.end() && found->lcid == lcid ? &*found : nullptr;
}

}  // namespace

bool IsKnownLocale(uint32_t lcid) {
    return IsDefaultLocale(lcid) || Find(lcid) != nullptr;
}

std::string_view IcuLocaleOf(uint32_t lcid) {
    const LocaleId* entry = Find(lcid);
    return entry ? entry->icuLocale : std::string_view();
}

}  // namespace velmora::platform
