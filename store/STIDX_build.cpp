// Building an index: from another index with the same leading key, by sorting, or in slot
// order without key columns.
#include <algorithm>

#include "platform/errors.h"
#include "store/STIDX.h"
#include "store/row_state.h"
#include "store/store_codes.h"

namespace velmora::store {
namespace {

struct SortItem {
    RowView row;
    uint32_t slot;
};

constexpr ptrdiff_t kShortRun = 10;

class EntrySorter {
public:
    explicit EntrySorter(const KeyComparer& comparer) : comparer_(comparer) {}

    void Sort(std::vector<SortItem>& items) const {
        QuickSortRuns(items, 0, static_cast<ptrdiff_t>(items.size()));
        InsertionSort(items);
    }

private:
    // Rows with equal keys go in slot order: a table written in this order reads back in it.
    bool Less(const SortItem& a, const SortItem& b) const {
        const int order = comparer_.Compare(a.row, b.row);
        return order < 0 || (order == 0 && a.slot < b.slot);
    }

    // Orders first, middle and last, so the middle one is their median and the ends stop the
    // partition scans.
    void OrderThree(std::vector<SortItem>& items, ptrdiff_t lo, ptrdiff_t mid,
                    ptrdiff_t last) const {
        if (Less(items[mid], items[lo])) std::swap(items[mid], items[lo]);
        if (Less(items[last], items[lo])) std::swap(items[last], items[lo]);
        if (Less(items[last], items[mid])) std::swap(items[last], items[mid]);
    }

    // Splits runs longer than kShortRun; shorter runs are left for the insertion pass. Recurses
    // into the smaller part only, so the depth stays logarithmic.
    void QuickSortRuns(std::vector<SortItem>& items, ptrdiff_t lo, ptrdiff_t hi) const {
        while (hi - lo > kShortRun) {
            const ptrdiff_t mid = lo + (hi - lo) / 2;
            OrderThree(items, lo, mid, hi - 1);
            const SortItem pivot = items[mid];
            ptrdiff_t i = lo - 1;
            ptrdiff_t j = hi;
            while (true) {
                do ++i;
                while (Less(items[i], pivot));
                do --j;
                while (Less(pivot, items[j]));
                if (i >= j) break;
                std::swap(items[i], items[j]);
            }
            if (j + 1 - lo < hi - j - 1) {
                QuickSortRuns(items, lo, j + 1);
                lo = j + 1;
            } else {
                QuickSortRuns(items, j + 1, hi);
                hi = j + 1;
            }
        }
    }

    void InsertionSort(std::vector<SortItem>& items) const {
        for (size_t i = 1; i < items.size(); ++i) {
            const SortItem item = items[i];
            size_t j = i;
            for (; j > 0 && Less(item, items[j - 1]); --j) items[j] = items[j - 1];
            items[j] = item;
        }
    }

    const KeyComparer& comparer_;
};

}  // namespace

std::unique_ptr<STIDX> STIDX::Build(const STBASE& table, IndexDescription description,
                                    const STIDX* source) {
    if (description.name.size() > kMaxNameLength) description.name.resize(kMaxNameLength);
    if (description.keys.size() > kMaxKeyColumns) description.keys.resize(kMaxKeyColumns);
    auto lock = table.Lock();
    std::unique_ptr<STIDX> index(new STIDX(table, std::move(description)));
    if (!index->comparer_.HasKeyColumns())
        index->FillInSlotOrder();
    else if (source)
        index->FillFrom(*source);
    else
        index->FillBySort();
    return index;
}

std::vector<uint32_t> STIDX::VisibleSlots() const {
    std::vector<uint32_t> slots;
    const uint32_t count = table_.SlotCount();
    slots.reserve(table_.RowCount());
    for (uint32_t slot = 1; slot <= count; ++slot)
        if (IsVisibleRowState(table_.SlotState(slot))) slots.push_back(slot);
    return slots;
}

void STIDX::FillInSlotOrder() {
    entries_ = VisibleSlots();
}

void STIDX::FillBySort() {
    const std::vector<uint32_t> slots = VisibleSlots();
    std::vector<SortItem> items;
    items.reserve(slots.size());
    for (uint32_t slot : slots) items.push_back(SortItem{table_.SlotRowUnderLock(slot), slot});
    EntrySorter(comparer_).Sort(items);
    for (size_t i = 1; description_.unique && i < items.size(); ++i)
        if (comparer_.Compare(items[i - 1].row, items[i].row) == 0)
            throw EStoreError(kCodeKeyViolation);
    entries_.reserve(items.size());
    for (const SortItem& item : items) entries_.push_back(item.slot);
}

void STIDX::FillFrom(const STIDX& source) {
    entries_.reserve(source.Count());
    for (uint32_t slot : source.entries_) {
        const RowVersion row{slot, table_.SlotRowUnderLock(slot)};
        const uint32_t position = InsertionPoint(row);
        if (description_.unique && position > 0 &&
            search_.CompareTo(row, entries_[position - 1]) == 0)
            throw EStoreError(kCodeKeyViolation);
        entries_.insert(entries_.begin() + position, slot);
    }
}

const STIDX* SourceIndexFor(STBASE& table, const std::vector<KeyColumn>& keys,
                            const std::vector<std::string>& names) {
    for (const std::string& name : names)
        if (const STIDX* index = IndexNamed(table, name); index && index->KeyBeginsWith(keys))
            return index;
    return nullptr;
}

}  // namespace velmora::store
