#pragma once
// Parses an expression text against a table's fields into the typed tree for the stored
// table, for one purpose (filter, search or aggregate) with the filter options.
//
// Grammar, lowest precedence first; operators of one level associate to the left:
//   expression  := conjunction { OR conjunction }
//   conjunction := negation { AND negation }
//   negation    := [ NOT ] comparison
//   comparison  := sum [ compare-op sum | LIKE sum | IS NULL | IS NOT NULL
//                        | IN "(" expression { "," expression } ")" ]
//   sum         := product { ("+" | "-") product }
//   product     := primary { ("*" | "/") primary }
//   primary     := function "(" [ expression { "," expression } ] ")" | NULL | True | False
//                | field | [bracketed field] | literal | "(" expression ")"
// Arithmetic and functions are the extended syntax: a search refuses arithmetic and reads a
// function name as a field name.
//
// Errors raise EDatabaseError without the table's name, except "Field '%s' not found",
// which carries it ("%s: %s").

#include <string_view>

#include "store/expression_catalog.h"
#include "store/expression_purpose.h"
#include "store/expression_tree.h"
#include "store/number_settings.h"

namespace velmora::store {

ExpressionTree ParseExpression(std::string_view text, const ExpressionFieldCatalog& fields,
                               ExpressionPurpose purpose, FilterOptions options,
                               const NumberSettings& numbers);

}  // namespace velmora::store
