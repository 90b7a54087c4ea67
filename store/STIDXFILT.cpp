#include "store/STIDXFILT.h"

#include <algorithm>

namespace velmora::store {
namespace {

std::vector<KeyColumn> KeyOf(const RowOrder& base) {
    const auto* keyed = dynamic_cast<const KeyedEntries*>(&base);
    return keyed ? keyed->Key() : std::vector<KeyColumn>{};
}

}  // namespace

STIDXFILT::STIDXFILT(STBASE& table, RowOrder& base, std::string name)
    : KeyedEntries(table, KeyOf(base)), table_(table), base_(base), name_(std::move(name)) {
    Rebuild();
}

std::unique_ptr<STIDXFILT> STIDXFILT::Over(RowOrder& base) const {
    auto view = std::make_unique<STIDXFILT>(table_, base, name_);
    view->filters_ = filters_;
    view->nextNumber_ = nextNumber_;
    view->Rebuild();
    return view;
}

bool STIDXFILT::Passes(const RowView& row) const {
    return std::all_of(filters_.begin(), filters_.end(),
                       [&](const Filter& filter) { return filter.second->Accepts(row); });
}

int STIDXFILT::AddFilter(std::shared_ptr<const RowPredicate> filter) {
    filters_.emplace_back(nextNumber_, std::move(filter));
    try {
        Rebuild();
    } catch (...) {
        filters_.pop_back();
        throw;
    }
    return nextNumber_++;
}

bool STIDXFILT::DropFilter(int number) {
    auto it = std::find_if(filters_.begin(), filters_.end(),
                           [&](const Filter& filter) { return filter.first == number; });
    if (it == filters_.end()) return false;
    const Filter dropped = *it;
    const auto place = filters_.erase(it);
    try {
        Rebuild();
    } catch (...) {
        filters_.insert(place, dropped);
        throw;
    }
    return true;
}

// Builds the new entries aside, so a filter that raises leaves the view as it was.
void STIDXFILT::Rebuild() {
    auto lock = table_.Lock();
    std::vector<uint32_t> entries;
    entries.reserve(base_.Count());
    for (uint32_t position = 0; position < base_.Count(); ++position) {
        const uint32_t slot = base_.SlotAt(position);
        if (Passes(table_.SlotRow(slot))) entries.push_back(slot);
    }
    entries_.swap(entries);
    aggregates_.Carry(aggregates_.Release(), *this);
    table_.RefreshCursors(*this);
}

}  // namespace velmora::store
