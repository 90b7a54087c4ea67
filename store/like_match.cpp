#include "store/like_match.h"

namespace velmora::store {
namespace {

bool SameCharacter(char a, char b, const TextCollation* ignoreCase) {
    if (a == b) return true;
    return ignoreCase != nullptr &&
           ignoreCase->Compare(std::string_view(&a, 1), std::string_view(&b, 1), true) == 0;
}

}  // namespace

bool LikeMatch(std::string_view text, std::string_view pattern, const TextCollation* ignoreCase) {
    constexpr size_t kNone = std::string_view::npos;
    size_t t = 0, p = 0;
    // Where the last "%" was seen: the pattern after it, and the text it has swallowed up to.
    size_t afterPercent = kNone, resumeText = 0;
    while (t < text.size()) {
        if (p < pattern.size()) {
            const char c = pattern[p];
            if (c == '%') {
                while (p < pattern.size() && pattern[p] == '%') ++p;
                afterPercent = p;
                resumeText = t;
                continue;
            }
            if (c == '_') {
                ++p, ++t;
                continue;
            }
            const size_t literal = c == '\\' && p + 1 < pattern.size() ? p + 1 : p;
            if (SameCharacter(text[t], pattern[literal], ignoreCase)) {
                p = literal + 1, ++t;
                continue;
            }
        }
        // Mismatch: let the last "%" swallow one more character and try again.
        if (afterPercent == kNone) return false;
        p = afterPercent;
        t = ++resumeText;
    }
    while (p < pattern.size() && pattern[p] == '%') ++p;
    return p == pattern.size();
}

}  // namespace velmora::store
