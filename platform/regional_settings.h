#pragma once
// The number separators of the user's regional settings, read once, at first use, from the
// locale the environment names for LC_NUMERIC. The process locale is never changed.

#include <string_view>

namespace velmora::platform {

// Single 8-bit characters of the program's code page.
struct NumberSeparators {
    char decimal = '.';  // what the settings give when they give none
    char thousands = ',';

    friend constexpr bool operator==(NumberSeparators, NumberSeparators) = default;
};

// The separators of an ICU locale id ("pt_BR" gives "," and "."). The default ones for ""
// (the C locale). A separator that is not one character of the code page keeps its default;
// a narrow or ordinary no-break space becomes the code page's no-break space. Should the two
// then be the same character, both defaults are used.
NumberSeparators SeparatorsOfLocale(std::string_view icuLocale);

// The separators in force: those of the user's locale unless a test set others.
NumberSeparators CurrentSeparators();
char DecimalSeparator();
char ThousandSeparator();

// Replaces the separators in force for as long as the object lives (tests pin them this way).
// REQUIRES: objects are destroyed in the reverse order of their creation, on one thread.
class ScopedSeparators {
public:
    explicit ScopedSeparators(NumberSeparators separators);
    ~ScopedSeparators();
    ScopedSeparators(const ScopedSeparators&) = delete;
    ScopedSeparators& operator=(const ScopedSeparators&) = delete;

private:
    NumberSeparators previous_;
};

}  // namespace velmora::platform
