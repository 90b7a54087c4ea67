#pragma once
// Questions about all of a row image's marks at once (row_image_layout.h), answered from the
// mark bytes rather than column by column: the loader asks them for every row it stores.

#include <string_view>

#include "store/row_image_layout.h"

namespace velmora::store {

// True when any column of the image is marked unchanged.
// REQUIRES: bytes is an image of layout.
bool HasUnchangedMark(const RowLayout& layout, std::string_view bytes);

}  // namespace velmora::store
