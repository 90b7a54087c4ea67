#pragma once
// The change log of a stored table: one entry per stored insertion, modification and deletion,
// oldest first. Entries are saved and loaded as consecutive triples of 32-bit numbers.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora::store {

enum ChangeKind : uint32_t {
    kChangeEmpty = 0,          // skipped by undo
    kChangeDeletion = 2,       //
    kChangeInsertion = 4,      //
    kChangeModification = 8,   //
    kChangeNested = 64,        // change inside a nested table (kept as read)
    kChangeNestedOrder = 256,  // ordering note for nested rows (kept as read)
};

struct ChangeLogEntry {
    uint32_t slot = 0;      // the version the change produced; for a deletion the deleted row
    uint32_t replaced = 0;  // the version it replaced, 0 when none
    uint32_t kind = kChangeEmpty;

    friend bool operator==(const ChangeLogEntry&, const ChangeLogEntry&) = default;
};

class ChangeLog {
public:
    // Capacity is always a whole number of blocks of this many entries.
    static constexpr size_t kGrowthStep = 16;

    bool Empty() const { return entries_.empty(); }
    size_t Size() const { return entries_.size(); }
    const std::vector<ChangeLogEntry>& Entries() const { return entries_; }
    const ChangeLogEntry& Newest() const { return entries_.back(); }  // REQUIRES: !Empty()

    // Makes room for one more entry, so that the next Append cannot fail. Throws
    // std::bad_alloc and then leaves the log as it was.
    void ReserveOne();
    // REQUIRES: ReserveOne() since the last Append, or spare capacity.
    void Append(ChangeLogEntry entry) noexcept;
    void RemoveNewest();  // REQUIRES: !Empty()
    void Clear();

    // Replaces the whole log (loading).
    void Assign(std::vector<ChangeLogEntry> entries);

private:
    std::vector<ChangeLogEntry> entries_;
};

}  // namespace velmora::store
