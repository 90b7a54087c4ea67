#pragma once
// Typed text read as a number. The accepted form: blanks; an optional "+" or "-"; digits;
// optionally the decimal separator and digits; optionally "E" or "e", an optional sign and at
// least one digit; blanks; the end of the text. Blanks are spaces. Between the sign and the
// exponent there must be at least one digit or the decimal separator ("," alone reads 0).
// Thousands separators are not accepted anywhere, and text of blanks only is not a number.
// Integer text has no decimal separator and no exponent.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/number_settings.h"
#include "store/value.h"

namespace velmora::store {

// The value rounded to 1/10000 with ties to the even unit, computed exactly from the digits
// ("1,00005" gives 1.0000 and "1,00015" 1.0002). nullopt for text of another form or a
// value outside the 64-bit range of units.
std::optional<FixedPoint> ParseFixedPoint(std::string_view text, const NumberSettings& settings);

// The double nearest to the value of the text (values too small for a double read 0).
// nullopt for text of another form or a value too large for a double.
std::optional<double> ParseFloat(std::string_view text, const NumberSettings& settings);

// nullopt for text of another form or a value outside the 32-bit range.
std::optional<int32_t> ParseInteger(std::string_view text);

// Text typed into a field. The empty text (no characters at all) gives nullopt: the field is
// cleared. Other text that does not read throws EConvertError "'%s' is not a valid floating
// point value for field '%s'" or "'%s' is not a valid integer value for field '%s'" (the text
// as typed, the field's display name).
std::optional<FixedPoint> FixedPointFieldValue(std::string_view text,
                                               const std::string& displayName,
                                               const NumberSettings& settings);
std::optional<double> FloatFieldValue(std::string_view text, const std::string& displayName,
                                      const NumberSettings& settings);
std::optional<int32_t> IntegerFieldValue(std::string_view text, const std::string& displayName);

// A text field read as a number. Text that does not read, the empty text included, throws
// EConvertError "'%s' is not a valid integer value" or "'%s' is not a valid floating point
// value".
int32_t TextAsInt32(std::string_view text);
double TextAsNumber(std::string_view text, const NumberSettings& settings);

}  // namespace velmora::store
