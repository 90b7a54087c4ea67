#include "store/STIDXFILT.h"

#include <algorithm>
#include <array>
#include <string_view>

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
    for (const Filter& filter : filters_)
        if (!filter.second->Accepts(row)) return false;
    return true;
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

int STIDXFILT::ReplaceFilter(int number, std::shared_ptr<const RowPredicate> filter) {
    auto lock = table_.Lock();
    filters_.erase(std::find_if(filters_.begin(), filters_.end(),
                                [&](const Filter& listed) { return listed.first == number; }));
    filters_.emplace_back(nextNumber_, std::move(filter));
    try {
        Rebuild();
    } catch (...) {
        filters_.pop_back();
        Rebuild();
        throw;
    }
    return nextNumber_++;
}

// Builds the new entries aside, so a filter that raises leaves the view as it was. A row is
// read a few places ahead of its test and its first bytes (the null marks, which every filter
// reads) fetched meanwhile: a lot filter over a large table waits on memory, not on work.
void STIDXFILT::Rebuild() {
    auto lock = table_.Lock();
    const uint32_t count = base_.Count();
    std::vector<uint32_t> entries;
    entries.reserve(count);
    constexpr uint32_t kAhead = 8;
    std::array<std::string_view, kAhead> ahead;
    auto fetch = [&](uint32_t position) {
        if (position >= count) return;
        ahead[position % kAhead] = table_.SlotRowUnderLock(base_.SlotAt(position)).Bytes();
        __builtin_prefetch(ahead[position % kAhead].data());
    };
    for (uint32_t position = 0; position < kAhead; ++position) fetch(position);
    for (uint32_t position = 0; position < count; ++position) {
        const RowView row(table_.Layout(), ahead[position % kAhead]);
        fetch(position + kAhead);
        if (Passes(row)) entries.push_back(base_.SlotAt(position));
    }
    entries_.swap(entries);
    aggregates_.Carry(aggregates_.Release(), *this);
    table_.RefreshCursors(*this);
}

}  // namespace velmora::store
