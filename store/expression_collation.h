#pragma once
// The locale-aware comparison of 8-bit texts that text comparisons and LIKE go through. The
// stored table supplies LocaleTextCollation for its locale id; tests may supply their own.

#include <cstdint>
#include <string_view>

#include "platform/collation.h"

namespace velmora::store {

class TextCollation {
public:
    virtual ~TextCollation() = default;
    // <0, 0 or >0 as a sorts before, with or after b in the locale's order; ignoreCase
    // treats letters that differ only in case as equal.
    virtual int Compare(std::string_view a, std::string_view b, bool ignoreCase) const = 0;
};

// The platform's collation of a table's locale id (0: the default locale).
class LocaleTextCollation final : public TextCollation {
public:
    explicit LocaleTextCollation(uint32_t lcid) : lcid_(lcid) {}
    int Compare(std::string_view a, std::string_view b, bool ignoreCase) const override {
        return platform::CompareText(a, b, lcid_, ignoreCase);
    }

private:
    uint32_t lcid_;
};

}  // namespace velmora::store
