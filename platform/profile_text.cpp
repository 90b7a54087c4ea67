#include <algorithm>

#include "platform/profile_file.h"

namespace velmora::platform {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// One line of the text: where it starts, its content without the line break, where the next
// line starts.
struct Line {
    size_t begin;
    std::string_view content;
    size_t next;
};

class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {
        if (text_.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark)
            position_ = kUtf8ByteOrderMark.size();
    }

    std::optional<Line> Next() {
        if (position_ >= text_.size()) return std::nullopt;
        size_t end = text_.find('\n', position_);
        size_t next = end == std::string_view::npos ? text_.size() : end + 1;
        std::string_view content = text_.substr(position_, std::min(end, text_.size()) - position_);
        if (!content.empty() && content.back() == '\r') content.remove_suffix(1);
        Line line{position_, content, next};
        position_ = next;
        return line;
    }

private:
    std::string_view text_;
    size_t position_ = 0;
};

std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    return Trim(line.substr(1, line.find(']') - 1));
}

// The value of a line "key=value" for this key.
std::optional<std::string_view> KeyLineValue(std::string_view line, std::string_view key) {
    size_t equals = line.find('=');
    if (equals == std::string_view::npos || !SameName(Trim(line.substr(0, equals)), key))
        return std::nullopt;
    return line.substr(equals + 1);
}

// Where the key's line is, or where a new one goes, inside the first matching section.
struct KeyPlace {
    bool sectionFound = false;
    bool keyFound = false;
    size_t begin = 0;  // the key line, or the insertion point
    size_t end = 0;    // the end of the key line's content (its line break stays)
};

KeyPlace FindKeyPlace(std::string_view text, std::string_view section, std::string_view key) {
    KeyPlace place;
    Lines lines(text);
    while (auto line = lines.Next()) {
        std::optional<std::string_view> name = SectionName(line->content);
        if (place.sectionFound && name) break;
        if (!place.sectionFound) {
            if (name && SameName(*name, section)) {
                place.sectionFound = true;
                place.begin = line->next;
            }
            continue;
        }
        if (KeyLineValue(line->content, key)) {
            place.keyFound = true;
            place.begin = line->begin;
            place.end = line->begin + line->content.size();
            return place;
        }
        if (!Trim(line->content).empty()) place.begin = line->next;
    }
    return place;
}

std::string_view LineBreakOf(std::string_view text) {
    size_t end = text.find('\n');
    return end != std::string_view::npos && end > 0 && text[end - 1] == '\r' ? "\r\n" : "\n";
}

// What ends the unterminated last line of text before a line is added after it: nothing when
// it ends in "\n", "\n" when it ends in a bare "\r" (a second "\r" would join its value), else
// the text's line break.
std::string_view LineEnding(std::string_view text, std::string_view lineBreak) {
    if (text.empty() || text.back() == '\n') return {};
    return text.back() == '\r' ? "\n" : lineBreak;
}

std::string SingleLine(std::string_view value) {
    std::string line(value);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key) {
    KeyPlace place = FindKeyPlace(text, section, key);
    if (!place.keyFound) return std::nullopt;
    return std::string(*KeyLineValue(text.substr(place.begin, place.end - place.begin), key));
}

std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value) {
    const std::string_view lineBreak = LineBreakOf(text);
    const std::string keyLine = std::string(key) + "=" + SingleLine(value);
    KeyPlace place = FindKeyPlace(text, section, key);
    std::string result(text);
    if (place.keyFound) {
        result.replace(place.begin, place.end - place.begin, keyLine);
    } else if (place.sectionFound) {
        // The section's last line may be the text's last line, without a line break.
        std::string insertion(LineEnding(result.substr(0, place.begin), lineBreak));
        insertion.append(keyLine).append(lineBreak);
        result.insert(place.begin, insertion);
    } else {
        result.append(LineEnding(result, lineBreak));
        result.append("[").append(section).append("]").append(lineBreak);
        result.append(keyLine).append(lineBreak);
    }
    return result;
}

}  // namespace velmora::platform
