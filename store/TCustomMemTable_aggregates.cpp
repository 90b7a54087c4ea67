// The maintained aggregates of the in-memory table: which are in use, where they ride, and
// the values each row buffer carries.

#include <algorithm>

#include "store/STIDX.h"
#include "store/TAggregateField.h"
#include "store/TCustomMemTable.h"
#include "store/aggregate_set.h"
#include "store/field_names.h"

namespace velmora::store {

namespace {

// The key of the index the cursor's view is ordered by: what grouping levels count in.
std::vector<KeyColumn> KeyOfOrder(const RowOrder& order) {
    const auto* index = dynamic_cast<const STIDX*>(&order);
    return index ? index->Description().keys : std::vector<KeyColumn>{};
}

size_t LevelOf(const TAggregate& aggregate) {
    return static_cast<size_t>(std::max(aggregate.GroupingLevel(), 0));
}

}  // namespace

// The rows in the window get the new values at once, unless a pending row holds the window.
void TCustomMemTable::SetAggregatesActive(bool active) {
    if (active == aggregatesActive_) return;
    aggregatesActive_ = active;
    if (!Active()) return;
    try {
        ActivateAggregates();
    } catch (...) {
        aggregatesActive_ = !active;
        throw;
    }
    if (CurrentState() != TableState::Browse) return;
    PositionCursorOnCurrentRow();
    RefillKeepingPlace();
}

TAggregate& TCustomMemTable::AddAggregate() {
    freeAggregates_.push_back(std::make_unique<TAggregate>());
    return *freeAggregates_.back();
}

std::vector<TAggregate*> TCustomMemTable::AllAggregates() {
    std::vector<TAggregate*> all;
    for (const auto& field : AggregateFields())
        if (auto* aggregateField = dynamic_cast<TAggregateField*>(field.get()))
            all.push_back(&aggregateField->PrepareAggregate());
    for (const auto& aggregate : freeAggregates_) all.push_back(aggregate.get());
    return all;
}

// An aggregate in use is parsed and added to the set; an inactive one with an expression is
// parsed and added once (until its definition changes) and dropped again, so that a bad
// expression is reported when the table opens. Returns the handle of one in use.
std::optional<int> TCustomMemTable::AddToSet(TAggregate& aggregate, AggregateSet& set) const {
    if (aggregate.Expression().empty()) return std::nullopt;
    const bool inUse = aggregate.Active() && (aggregate.GroupingLevel() <= 0 ||
                                              SameFieldName(aggregate.IndexName(), IndexName()));
    if (!inUse && (aggregate.Active() || !aggregate.OutOfDate())) return std::nullopt;
    ExpressionTree tree = ParseForTable(aggregate.Expression(), ExpressionPurpose::Aggregate, 0);
    const int handle = set.Add(LevelOf(aggregate), tree);
    aggregate.Parsed(std::move(tree.columns));
    if (inUse) return handle;
    set.Drop(handle);
    return std::nullopt;
}

// Nothing is put in place until every aggregate in use has been added: a failure leaves the
// set that rides on the cursor's order, and the aggregates' handles, as they were.
void TCustomMemTable::ActivateAggregates() {
    if (!orders_) return;
    const std::vector<TAggregate*> aggregates = AllAggregates();
    std::unique_ptr<AggregateSet> set;
    std::vector<std::optional<int>> handles(aggregates.size());
    if (aggregatesActive_) {
        set = std::make_unique<AggregateSet>(*stored_, KeyOfOrder(orders_->Base()));
        for (size_t i = 0; i < aggregates.size(); ++i) handles[i] = AddToSet(*aggregates[i], *set);
    }
    for (size_t i = 0; i < aggregates.size(); ++i) {
        if (!handles[i]) {
            aggregates[i]->Deactivated();
            continue;
        }
        const AggregateDescription description = set->Describe(*handles[i]);
        aggregates[i]->Activated(*handles[i], description.type, description.size);
    }
    // Without an aggregate in use the order carries nothing (an order without key columns
    // would get a view of its own just to carry an empty set).
    if (std::none_of(handles.begin(), handles.end(),
                     [](const auto& handle) { return handle.has_value(); }))
        set.reset();
    orders_->CarryAggregates(std::move(set));
}

Value TCustomMemTable::ReadAggregate(const TAggregate& aggregate, const RowBuffer& buffer) const {
    if (!aggregatesActive_ || !orders_ || !aggregate.Handle() || !buffer.image.HasLayout() ||
        cursor_->RowCount() == 0)
        return Value();
    auto* set = dynamic_cast<AggregateSet*>(orders_->Aggregates());
    return set ? set->Read(*aggregate.Handle(), buffer.image.View()) : Value();
}

Value TCustomMemTable::AggregateValue(const TAggregate& aggregate) const {
    const RowBuffer* buffer = ReadBuffer();
    return buffer ? ReadAggregate(aggregate, *buffer) : Value();
}

// Each aggregate field in use gets its group's value; the others stay null.
void TCustomMemTable::FillAggregates(RowBuffer& buffer) {
    buffer.ClearAggregates();
    for (const auto& field : AggregateFields()) {
        const auto* aggregateField = dynamic_cast<const TAggregateField*>(field.get());
        const std::optional<size_t> slot = field->Slot();
        if (!aggregateField || !aggregateField->Aggregate() || !slot ||
            *slot >= buffer.aggregates.size())
            continue;
        buffer.aggregates[*slot] = ReadAggregate(*aggregateField->Aggregate(), buffer);
    }
}

}  // namespace velmora::store
