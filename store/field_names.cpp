#include "store/field_names.h"

namespace velmora::store {

namespace {

// Letter case in Windows-1252: ASCII letters and the accented letters 0xE0-0xFE (but 0xF7).
unsigned char UpperCase(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
    return c;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

bool SameFieldName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpperCase(static_cast<unsigned char>(a[i])) !=
            UpperCase(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::vector<std::string> SplitFieldList(std::string_view list) {
    std::vector<std::string> names;
    while (true) {
        size_t end = list.find(';');
        std::string_view name = Trimmed(list.substr(0, end));
        if (!name.empty()) names.emplace_back(name);
        if (end == std::string_view::npos) return names;
        list.remove_prefix(end + 1);
    }
}

std::string FillMessage(std::string_view pattern, const std::vector<std::string>& arguments) {
    std::string text;
    size_t next = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        bool placeholder =
            pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == 's' || pattern[i + 1] == 'd' || pattern[i + 1] == 'g');
        if (placeholder && next < arguments.size()) {
            text += arguments[next++];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace velmora::store
