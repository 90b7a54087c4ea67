#pragma once
// The messages that parsing an expression may raise, as the expression language documents
// them, for telling its own refusals from anything else that escapes.

#include <string>
#include <string_view>

namespace velmora::fuzzing {

namespace detail {

inline bool Framed(std::string_view message, std::string_view head, std::string_view tail) {
    return message.size() >= head.size() + tail.size() && message.starts_with(head) &&
           message.ends_with(tail);
}

// "%s" of the "expected" messages: the offending token in single quotes, or nothing.
inline bool IsExpectedMessage(std::string_view message) {
    for (std::string_view head : {"Expression expected but ", "'(' expected but ",
                                  "')' expected but ", "')' or ',' expected but "}) {
        if (!Framed(message, head, " found")) continue;
        const std::string_view token =
            message.substr(head.size(), message.size() - head.size() - 6);
        return token == "nothing" || (token.size() >= 2 && Framed(token, "'", "'"));
    }
    return false;
}

}  // namespace detail

inline bool IsParserMessage(std::string_view message, const std::string& tableName) {
    for (std::string_view fixed :
         {"Unterminated string constant", "Unterminated field name", "Invalid use of keyword",
          "IN predicate list may not be empty", "Filter expression incorrectly terminated",
          "Expression too deeply nested", "Arithmetic in filter expressions not supported",
          "Type mismatch in expression", "NULL only allowed with '=' and '<>'",
          "Operation cannot mix aggregate value with record-varying value",
          "Expression is not an aggregate expression",
          "Aggregate expressions not allowed in filters", "Incorrectly formed filter expression"})
        if (message == fixed) return true;
    // One character, quoted.
    if (detail::Framed(message, "Invalid filter expression character: '", "'"))
        return message.size() ==
               std::string_view("Invalid filter expression character: ''").size() + 1;
    return detail::IsExpectedMessage(message) ||
           detail::Framed(message, tableName + ": Field '", "' not found") ||
           detail::Framed(message, "Field '", "' cannot be used in a filter expression") ||
           detail::Framed(message, "Field '",
                          "' is not the correct type of calculated field to be used in an "
                          "aggregate, use an internalcalc");
}

// A constant that does not read as the kind it is compared with: "'%s' is not a valid ...".
inline bool IsConstantConversionMessage(std::string_view message) {
    return message.starts_with("'") && message.find("' is not a valid ") != std::string_view::npos;
}

}  // namespace velmora::fuzzing
