#include "platform/regional_settings.h"

#include <unicode/unum.h>

#include <memory>
#include <string>

#include "platform/codepage.h"
#include "platform/locale_environment.h"

namespace velmora::platform {

namespace {

using NumberFormat = std::unique_ptr<UNumberFormat, decltype(&unum_close)>;

char SymbolOrDefault(const UNumberFormat* format, UNumberFormatSymbol symbol, char fallback) {
    UChar text[8];
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = unum_getSymbol(format, symbol, text, 8, &status);
    if (U_FAILURE(status) || length != 1) return fallback;
    // French groups with a narrow no-break space, which the code page lacks.
    char16_t unit = text[0] == u'\u202F' ? u'\u00A0' : text[0];
    std::string converted = FromUtf16(std::u16string_view(&unit, 1));
    return converted == "?" && unit != u'?' ? fallback : converted[0];
}

NumberSeparators& SeparatorsInForce() {
    static NumberSeparators separators = SeparatorsOfLocale(LocaleFromEnvironment("LC_NUMERIC"));
    return separators;
}

}  // namespace

NumberSeparators SeparatorsOfLocale(std::string_view icuLocale) {
    NumberSeparators separators;
    if (icuLocale.empty()) return separators;
    const std::string locale(icuLocale);
    UErrorCode status = U_ZERO_ERROR;
    NumberFormat format(unum_open(UNUM_DECIMAL, nullptr, 0, locale.c_str(), nullptr, &status),
                        &unum_close);
    if (U_FAILURE(status)) return separators;
    separators.decimal =
        SymbolOrDefault(format.get(), UNUM_DECIMAL_SEPARATOR_SYMBOL, separators.decimal);
    separators.thousands =
        SymbolOrDefault(format.get(), UNUM_GROUPING_SEPARATOR_SYMBOL, separators.thousands);
    // One replaced symbol may meet the other; number text would then be ambiguous.
    return separators.decimal == separators.thousands ? NumberSeparators{} : separators;
}

NumberSeparators CurrentSeparators() {
    return SeparatorsInForce();
}
char DecimalSeparator() {
    return SeparatorsInForce().decimal;
}
char ThousandSeparator() {
    return SeparatorsInForce().thousands;
}

ScopedSeparators::ScopedSeparators(NumberSeparators separators) : previous_(SeparatorsInForce()) {
    SeparatorsInForce() = separators;
}

ScopedSeparators::~ScopedSeparators() {
    SeparatorsInForce() = previous_;
}

}  // namespace velmora::platform
