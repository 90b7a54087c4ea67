#pragma once
// Row images: the values of one row in the byte form of row_image_layout.h. A RowView reads an
// image it does not own (a row slot); a RowImage owns one (a front-end row buffer, a row being
// built). Values are exchanged in the stored form of stored_type.h.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "store/row_image_layout.h"

namespace velmora::store {

class RowView {
public:
    // REQUIRES: bytes is an image of layout.
    RowView(const RowLayout& layout, std::string_view bytes) : layout_(&layout), bytes_(bytes) {}

    size_t ColumnCount() const { return layout_->ColumnCount(); }
    // REQUIRES (all): column < ColumnCount().
    bool IsNull(size_t column) const;
    // Marked "unchanged" by a change-set load: the value is the one of the replaced version.
    bool IsUnchanged(size_t column) const;
    // The stored form; empty for null (and for an empty text, which is not null).
    std::string_view Value(size_t column) const;
    // The whole image.
    std::string_view Bytes() const { return bytes_; }

    friend bool operator==(const RowView& a, const RowView& b) { return a.bytes_ == b.bytes_; }

private:
    const RowLayout* layout_;
    std::string_view bytes_;
};

class RowImage {
public:
    // An image with no columns; assign one from STBASE::NewRowImage() before use.
    RowImage() = default;
    // All columns null.
    explicit RowImage(std::shared_ptr<const RowLayout> layout);

    bool HasLayout() const { return layout_ != nullptr; }
    const RowLayout& Layout() const { return *layout_; }
    RowView View() const { return RowView(*layout_, bytes_); }
    size_t ColumnCount() const { return layout_ ? layout_->ColumnCount() : 0; }

    // REQUIRES (all below): HasLayout(), column < ColumnCount().
    bool IsNull(size_t column) const { return View().IsNull(column); }
    std::string_view Value(size_t column) const { return View().Value(column); }

    // All columns null.
    void Clear();
    void SetNull(size_t column);
    void SetUnchanged(size_t column);

    // Verifies and puts a value given by the program (the write path of fields):
    //  - Text is cut to the column's width, then trailing blanks are removed; the empty text
    //    stays the empty text (not null);
    //  - WideText is cut to the column's width (whole UTF-16 units);
    //  - Bcd and FmtBcd: a count of units at the column's scale with more digits than the
    //    column's precision is refused;
    //  - VarBytes longer than the width and fixed-size values of the wrong size are refused.
    // A refused value raises EStoreError(kCodeValueOutOfRange) and leaves the image unchanged.
    void Put(size_t column, std::string_view stored);

    // Puts a value as it was read from a file: no cutting, no trimming. A fixed-size value of
    // the wrong size raises EStoreError(kCodeValueOutOfRange).
    void PutStored(size_t column, std::string_view stored);

    // Replaces the whole image by a copy of bytes of the same layout.
    void Assign(std::string_view bytes) { bytes_.assign(bytes); }
    std::string_view Bytes() const { return bytes_; }

    friend bool operator==(const RowImage& a, const RowImage& b) { return a.bytes_ == b.bytes_; }

private:
    void PutBytes(size_t column, std::string_view value);
    void SetMarks(size_t column, bool null, bool unchanged);

    std::shared_ptr<const RowLayout> layout_;
    std::string bytes_;
};

}  // namespace velmora::store
