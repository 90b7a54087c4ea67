#include "store/seek_scan.h"

namespace velmora::store {

bool ScanForward(STCursor& cursor, const RowPredicate& condition, RowImage& row) {
    auto lock = cursor.Table().Lock();
    cursor.SetToBegin();
    while (cursor.MoveNext(row))
        if (condition.Accepts(row.View())) return true;
    return false;
}

}  // namespace velmora::store
