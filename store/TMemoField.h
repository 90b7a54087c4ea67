#pragma once
// A memo field: single-byte text of any length, held as a large object of the row. The empty
// text counts as null. Grids show only "(MEMO)" or "(Memo)"; the text itself is read with
// AsText.

#include "store/TField.h"

namespace velmora::store {

class TMemoField : public TField {
public:
    explicit TMemoField(std::string fieldName);

    std::string AsText() const override;  // the whole text
    // Replaces the whole text.
    void SetAsText(const std::string& text) override;
    Value AsValue() const override;  // the text, never null
    void SetAsValue(const Value& value) override;
    bool IsNullValue() const override { return AsText().empty(); }
    void ClearValue() override { SetAsText(std::string()); }
    // "(MEMO)" when the row holds text, "(Memo)" when it holds none.
    std::string DisplayText() const override;
};

}  // namespace velmora::store
