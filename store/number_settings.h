#pragma once
// The separators of number text, shown and parsed: the decimal separator and the thousands
// separator of the user's regional settings, read once at start. Every number routine takes
// them as a parameter, so that a test can pin them (for example "," and ".").

#include "platform/regional_settings.h"

namespace velmora::store {

struct NumberSettings {
    char decimalSeparator = '.';  // used when the regional settings give none
    char thousandsSeparator = ',';

    friend constexpr bool operator==(NumberSettings, NumberSettings) = default;
};

// The separators in force (platform::CurrentSeparators).
inline NumberSettings CurrentNumberSettings() {
    const platform::NumberSeparators separators = platform::CurrentSeparators();
    return NumberSettings{separators.decimal, separators.thousands};
}

}  // namespace velmora::store
