#include "store/stored_table_parameters.h"

#include "platform/errors.h"
#include "store/store_codes.h"
#include "store/stored_table_bytes.h"

namespace velmora::store {
namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsIntegerKind(StoredKind kind) {
    return kind == StoredKind::SignedInt || kind == StoredKind::UnsignedInt ||
           kind == StoredKind::Boolean;
}

// The elements of an integer array, each as unsigned.
std::optional<std::vector<uint64_t>> ArrayElements(const Parameter& parameter) {
    const StoredType type = parameter.type;
    const uint16_t size = type.size;
    if (!type.array || !IsIntegerKind(type.kind) ||
        (size != 1 && size != 2 && size != 4 && size != 8))
        return std::nullopt;
    std::vector<uint64_t> elements;
    for (size_t at = 0; at + size <= parameter.value.size(); at += size)
        elements.push_back(ReadUnsignedLE(std::string_view(parameter.value).substr(at, size)));
    return elements;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

[[noreturn]] void BadStructure() {
    throw EStoreError(kCodeBadStructure);
}

}  // namespace

bool IsParameterNamed(const Parameter& parameter, std::string_view name) {
    return SameName(parameter.name, name);
}

std::optional<int64_t> ParameterInteger(const Parameter& parameter) {
    const StoredType type = parameter.type;
    const uint16_t size = type.size;
    if (type.array || type.varying || !IsIntegerKind(type.kind) || parameter.value.size() != size ||
        (size != 1 && size != 2 && size != 4 && size != 8))
        return std::nullopt;
    uint64_t value = ReadUnsignedLE(parameter.value);
    const unsigned bits = 8u * size;
    if (type.kind == StoredKind::SignedInt && bits < 64 && (value >> (bits - 1)) != 0)
        value |= ~uint64_t{0} << bits;  // sign-extend
    return static_cast<int64_t>(value);
}

bool ParameterIsTrue(const Parameter& parameter) {
    if (std::optional<int64_t> value = ParameterInteger(parameter)) return *value != 0;
    std::optional<std::string_view> text = ParameterText(parameter);
    return text && !text->empty() && Upper(text->front()) == 'T';
}

std::optional<std::string_view> ParameterText(const Parameter& parameter) {
    if (parameter.type.kind != StoredKind::Text || parameter.type.array) return std::nullopt;
    std::string_view text = parameter.value;
    while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
    return text;
}

bool ParameterHoldsValue(const Parameter& parameter) {
    const StoredType type = parameter.type;
    const bool emptyForm = type.varying || type.array || type.kind == StoredKind::Struct ||
                           type.kind == StoredKind::ArrayColumn;
    return emptyForm || !parameter.value.empty();
}

bool ColumnHoldsParameter(std::string_view name, LogicalType type, uint16_t attributes) {
    if (SameName(name, "WIDTH")) {
        switch (type) {
            case LogicalType::Text:
            case LogicalType::WideText:
            case LogicalType::Bcd:
            case LogicalType::FmtBcd:
            case LogicalType::FixedBytes:
            case LogicalType::VarBytes:
            case LogicalType::Blob:
                return true;
            default:
                return false;
        }
    }
    if (SameName(name, "DECIMALS"))
        return type != LogicalType::Struct && type != LogicalType::ArrayColumn;
    if (SameName(name, "CALCULATED")) return (attributes & kColumnLink) == 0;
    return false;
}

std::vector<KeyColumn> ParseKeyList(const Parameter& parameter, size_t columnCount) {
    constexpr uint64_t kDescending = 0x8000, kCaseInsensitive = 0x4000;
    std::optional<std::vector<uint64_t>> elements = ArrayElements(parameter);
    if (!elements) BadStructure();
    std::vector<KeyColumn> keys;
    for (uint64_t element : *elements) {
        const uint64_t number = element & ~(kDescending | kCaseInsensitive);
        if (number == 0 || number > columnCount) BadStructure();
        keys.push_back(KeyColumn{static_cast<uint16_t>(number - 1), (element & kDescending) != 0,
                                 (element & kCaseInsensitive) != 0});
    }
    return keys;
}

std::vector<ChangeLogEntry> ParseChangeLog(const Parameter& parameter) {
    std::optional<std::vector<uint64_t>> elements = ArrayElements(parameter);
    if (!elements || parameter.type.size != 4 || elements->size() < 3) BadStructure();
    std::vector<ChangeLogEntry> entries;
    entries.reserve(elements->size() / 3);
    for (size_t at = 0; at + 3 <= elements->size(); at += 3)
        entries.push_back(ChangeLogEntry{static_cast<uint32_t>((*elements)[at]),
                                         static_cast<uint32_t>((*elements)[at + 1]),
                                         static_cast<uint32_t>((*elements)[at + 2])});
    return entries;
}

}  // namespace velmora::store
