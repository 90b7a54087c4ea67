#pragma once
// Dates and times inside expressions. Temporal values are held as milliseconds counted from
// day 0, the stored date-time form: a date is its day number (store/calendar.h) times
// kMillisecondsPerDay, a time its milliseconds of the day.

#include <cstdint>
#include <optional>
#include <string_view>

#include "store/calendar.h"
#include "store/expression_types.h"

namespace velmora::store {

// Reads a temporal constant: a date as "yyyy-mm-dd" or "dd/mm/yyyy", a time as
// "hh:nn[:ss[.zzz]]", a date-time as a date optionally followed by a blank and a time.
// A Time takes a time alone; a Date drops the time of day. nullopt when the text is none of
// these or names no real date or time.
// REQUIRES: IsTemporalKind(type).
std::optional<double> ReadTemporal(std::string_view text, FieldType type);

// The current local date and time.
double CurrentDateTime();

}  // namespace velmora::store
