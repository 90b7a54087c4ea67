#pragma once
// One buffer of a table's row window: the row's stored image, the calculated area, the row
// information, the bookmark and the aggregate area.

#include <cstdint>
#include <optional>
#include <vector>

#include "store/STCursor.h"
#include "store/row_image.h"
#include "store/value.h"

namespace velmora::store {

// Where the buffered row stands: a row of the view, or a new row placed before the first row,
// after the last row, or before the row named by the bookmark.
enum class BookmarkFlag : uint8_t { Current, BeforeFirst, AfterLast, Inserted };

struct RowBuffer {
    RowImage image;                 // one value area and null mark per stored column
    std::vector<Value> calculated;  // per calculated field; a null Value is the null mark
    int32_t rowNumber = -1;
    BookmarkFlag flag = BookmarkFlag::Current;
    uint8_t rowState = 0;  // the row's state byte
    std::optional<Bookmark> bookmark;
    std::vector<Value> aggregates;  // per aggregate in use; a null Value is the null mark

    void ClearCalculated() {
        for (Value& value : calculated) value = Value();
    }
    void ClearAggregates() {
        for (Value& value : aggregates) value = Value();
    }
};

}  // namespace velmora::store
