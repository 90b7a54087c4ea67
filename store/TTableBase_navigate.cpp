// Moving through the rows of the current view. Every move settles a pending row first and
// fires BeforeScroll, even when it then finds nothing to do. A move that began ends with
// AfterScroll, also when fetching a row failed (the window stays consistent).

#include "store/TTableBase.h"

namespace velmora::store {

template <typename Move>
void TTableBase::Scroll(Move move) {
    try {
        move();
    } catch (...) {
        AnnounceRows();
        Fire(AfterScroll);
        throw;
    }
    AnnounceRows();
    Fire(AfterScroll);
}

void TTableBase::GoFirst() {
    SettleEdit();
    Fire(BeforeScroll);
    ClearWindow();
    Scroll([this] {
        CursorToBegin();
        FillWindow(Direction::Forward);
        atStart_ = true;
    });
}

void TTableBase::GoLast() {
    SettleEdit();
    Fire(BeforeScroll);
    ClearWindow();
    Scroll([this] {
        CursorToEnd();
        FillWindow(Direction::Backward);
        current_ = held_ > 0 ? held_ - 1 : 0;
        atEnd_ = true;
    });
}

int TTableBase::MoveRows(int distance) {
    SettleEdit();
    Fire(BeforeScroll);
    bool forward = distance > 0;
    if (distance == 0 || (forward ? atEnd_ : atStart_)) return 0;
    atStart_ = atEnd_ = false;
    int moved = 0;
    Scroll([&] {
        for (int left = forward ? distance : -distance; left > 0; --left) {
            if (!StepOneRow(forward)) {
                (forward ? atEnd_ : atStart_) = true;
                return;
            }
            ++moved;
        }
    });
    return forward ? moved : -moved;
}

bool TTableBase::StepOneRow(bool forward) {
    int edge = forward ? held_ - 1 : 0;
    if (current_ != edge) {
        current_ += forward ? 1 : -1;
        return true;
    }
    if (!FetchIntoWindow(forward ? Direction::Forward : Direction::Backward)) return false;
    current_ = forward ? held_ - 1 : 0;
    return true;
}

}  // namespace velmora::store
