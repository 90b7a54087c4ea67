// SeekRow: a search condition built from the key values, scanned for in view order.

#include "platform/errors.h"
#include "store/STIDXFILT_expression.h"
#include "store/TCustomMemTable.h"
#include "store/field_names.h"
#include "store/field_value_text.h"
#include "store/seek_scan.h"

namespace velmora::store {

namespace {

enum class KeyForm { Text, Number, Temporal, Unsupported };

KeyForm KeyFormOf(FieldType type) {
    switch (type) {
        case ftString:
        case ftFixedChar:
        case ftWideString:
        case ftGuid:
            return KeyForm::Text;
        case ftInteger:
        case ftAutoInc:
        case ftSmallint:
        case ftWord:
        case ftLargeint:
        case ftBoolean:
        case ftFloat:
        case ftCurrency:
        case ftBCD:
            return KeyForm::Number;
        case ftDate:
        case ftTime:
        case ftDateTime:
        case ftTimeStamp:
            return KeyForm::Temporal;
        default:
            return KeyForm::Unsupported;
    }
}

// A single-quoted constant; a quote inside is doubled, so the text cannot end the constant.
std::string Quoted(std::string_view text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c;
        if (c == '\'') quoted += c;
    }
    return quoted + "'";
}

// One term of the condition: "[name] IS NULL" or "[name]=value".
std::string KeyTerm(const TField& field, const Value& value, bool prefix) {
    const std::string name = "[" + field.FieldName() + "]";
    if (value.IsNull()) return name + " IS NULL";
    const KeyForm form = KeyFormOf(field.DataType());
    if (form == KeyForm::Unsupported)
        DatabaseError(FillMessage("Field '%s' is of an unsupported type", {field.DisplayName()}));
    std::string text = ValueText(value);
    switch (form) {
        case KeyForm::Text:
            return name + "=" + Quoted(prefix ? text + "*" : text);
        case KeyForm::Temporal:
            return name + "=" + Quoted(text);
        default:
            // A text given for a number stays one quoted constant, so it cannot add terms.
            if (value.GetKind() == Value::Kind::Text) return name + "=" + Quoted(text);
            return name + "=" + text;
    }
}

}  // namespace

bool TCustomMemTable::SeekRow(std::string_view keyFields, const Value& keyValue,
                              SeekOptions options) {
    return SeekKeys(keyFields, {keyValue}, false, options);
}

bool TCustomMemTable::SeekRow(std::string_view keyFields, const std::vector<Value>& keyValues,
                              SeekOptions options) {
    return SeekKeys(keyFields, keyValues, true, options);
}

bool TCustomMemTable::SeekKeys(std::string_view keyFields, const std::vector<Value>& values,
                               bool array, SeekOptions options) {
    Fire(BeforeScroll);
    SettleEdit();
    PositionCursorOnCurrentRow();
    std::vector<const TField*> keys;
    for (const std::string& name : SplitFieldList(keyFields)) keys.push_back(&FieldNamed(name));
    const std::string condition = SeekCondition(keys, values, array, options);
    store::FilterOptions filterOptions = options.CaseInsensitive ? foCaseInsensitive : 0;
    if (!options.PartialKey) filterOptions |= foNoPartialCompare;
    const ExpressionTree tree = ParseForTable(condition, ExpressionPurpose::Search, filterOptions);
    if (!ScanForKey(tree)) return false;
    RefillCentredOnCursorRow();
    Fire(AfterScroll);
    return true;
}

// A single value serves one key field; an array gives one value per field, in order.
std::string TCustomMemTable::SeekCondition(const std::vector<const TField*>& keys,
                                           const std::vector<Value>& values, bool array,
                                           SeekOptions options) const {
    std::string condition;
    for (size_t i = 0; i < keys.size(); ++i) {
        const bool given = array ? i < values.size() : keys.size() == 1;
        if (!given) Fail(FillMessage("No key value for field '%s'", {keys[i]->DisplayName()}));
        if (i > 0) condition += " and ";
        const bool last = i + 1 == keys.size();
        condition += KeyTerm(*keys[i], values[array ? i : 0], last && options.PartialKey);
    }
    return condition;
}

// Not found (or a condition that raises), the cursor goes back onto the current row, so the
// window and the cursor agree again.
bool TCustomMemTable::ScanForKey(const ExpressionTree& condition) {
    try {
        const ExpressionFilter match(condition, *stored_);
        RowImage row = stored_->NewRowImage();
        if (ScanForward(*cursor_, match, row)) return true;
    } catch (...) {
        PositionCursorOnCurrentRow();
        throw;
    }
    PositionCursorOnCurrentRow();
    return false;
}

}  // namespace velmora::store
