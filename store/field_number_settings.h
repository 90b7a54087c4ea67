#pragma once
// The separators fields use for number text: those of the regional settings in force
// (platform::ScopedSeparators pins them in tests).

#include "platform/regional_settings.h"
#include "store/number_settings.h"

namespace velmora::store {

inline NumberSettings FieldNumberSettings() {
    platform::NumberSeparators separators = platform::CurrentSeparators();
    return NumberSettings{separators.decimal, separators.thousands};
}

}  // namespace velmora::store
