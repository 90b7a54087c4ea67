#include "store/STIDX_cursor.h"

namespace velmora::store {
namespace {

AggregateSlot* SlotOf(RowOrder& order) {
    if (auto* index = dynamic_cast<STIDX*>(&order)) return &index->Aggregates();
    if (auto* view = dynamic_cast<STIDXFILT*>(&order)) return &view->Aggregates();
    return nullptr;
}

std::unique_ptr<OrderAggregates> ReleaseFrom(RowOrder& order) {
    AggregateSlot* slot = SlotOf(order);
    return slot ? slot->Release() : nullptr;
}

}  // namespace

CursorOrders::CursorOrders(STCursor& cursor)
    : table_(cursor.Table()), cursor_(cursor), base_(table_.FindOrder(cursor.Order().Name())) {}

void CursorOrders::Walk(RowOrder& order, const std::optional<Bookmark>& bookmark) {
    cursor_.UseOrder(order);
    if (bookmark) cursor_.GoToBookmark(*bookmark);
}

std::vector<std::string> CursorOrders::IndexNames() const {
    std::vector<std::string> names{kDefaultOrderName, fieldIndex_, "UNIQUE_KEY", "PRIMARY_KEY"};
    for (const IndexDescription& description : table_.IndexDescriptions())
        names.push_back(description.name.substr(0, STIDX::kMaxNameLength));
    return names;
}

// The first key column's name; a name some other order already has gets "~" added, so that a
// declared index is never replaced by the index of a column list.
std::string CursorOrders::FieldIndexName(const std::vector<KeyColumn>& keys) const {
    std::string name = table_.Columns()[keys.front().column].name.substr(0, STIDX::kMaxNameLength);
    while (name != fieldIndex_ && table_.FindOrder(name)) {
        if (name.size() == STIDX::kMaxNameLength) name.pop_back();
        name += '~';
    }
    return name;
}

void CursorOrders::SortOn(const std::vector<KeyColumn>& keys) {
    auto lock = table_.Lock();
    if (const auto* index = dynamic_cast<const STIDX*>(base_); index && index->KeyBeginsWith(keys))
        return;
    const std::string name = FieldIndexName(keys);
    const STIDX* source = SourceIndexFor(table_, keys, IndexNames());
    MoveOnto(STIDX::Build(table_, IndexDescription{name, keys}, source), nullptr, name);
}

bool CursorOrders::UseIndex(std::string_view name) {
    auto lock = table_.Lock();
    RowOrder* order = table_.FindOrder(name);
    if (!order || dynamic_cast<STIDXFILT*>(order)) return false;
    if (order != base_) MoveOnto(nullptr, order, name == fieldIndex_ ? fieldIndex_ : std::string());
    return true;
}

void CursorOrders::CreateIndex(IndexDescription description) {
    auto lock = table_.Lock();
    const STIDX* source = SourceIndexFor(table_, description.keys, IndexNames());
    table_.InstallOrder(STIDX::Build(table_, std::move(description), source));
}

void CursorOrders::MoveOnto(std::unique_ptr<STIDX> built, RowOrder* existing,
                            const std::string& fieldIndex) {
    const std::optional<Bookmark> bookmark = cursor_.GetBookmark();
    RowOrder& target = built ? *built : *existing;
    std::unique_ptr<STIDXFILT> view;
    if (view_ && view_->FilterCount() > 0) {
        view = view_->Over(target);  // a filter that raises stops here, nothing changed
        view->Aggregates().Carry(view_->Aggregates().Release(), *view);
        DropView();
    } else {
        std::unique_ptr<OrderAggregates> set =
            view_ ? view_->Aggregates().Release() : ReleaseFrom(*base_);
        if (view_) DropView();
        if (AggregateSlot* slot = SlotOf(target)) {
            slot->Carry(std::move(set), target);
        } else if (set) {
            view = std::make_unique<STIDXFILT>(table_, target, kCursorViewName);
            view->Aggregates().Carry(std::move(set), *view);
        }
    }
    base_ = &target;
    if (built) table_.InstallOrder(std::move(built));
    if (!fieldIndex_.empty() && fieldIndex_ != fieldIndex) table_.DropOrder(fieldIndex_);
    fieldIndex_ = fieldIndex;
    if (view)
        InstallView(std::move(view), bookmark);
    else
        Walk(*base_, bookmark);
}

void CursorOrders::InstallView(std::unique_ptr<STIDXFILT> view,
                               const std::optional<Bookmark>& bookmark) {
    view_ = view.get();
    table_.InstallOrder(std::move(view));
    Walk(*view_, bookmark);
}

void CursorOrders::DropView() {
    view_ = nullptr;
    table_.DropOrder(kCursorViewName);
}

int CursorOrders::AddFilter(std::shared_ptr<const RowPredicate> filter) {
    auto lock = table_.Lock();
    if (view_) return view_->AddFilter(std::move(filter));
    auto view = std::make_unique<STIDXFILT>(table_, *base_, kCursorViewName);
    const int number = view->AddFilter(std::move(filter));
    view->Aggregates().Carry(ReleaseFrom(*base_), *view);
    InstallView(std::move(view), cursor_.GetBookmark());
    return number;
}

bool CursorOrders::DropFilter(int number) {
    auto lock = table_.Lock();
    if (!view_ || !view_->DropFilter(number)) return false;
    AggregateSlot* baseSlot = SlotOf(*base_);
    if (view_->FilterCount() > 0 || (view_->Aggregates().Get() && !baseSlot)) return true;
    const std::optional<Bookmark> bookmark = cursor_.GetBookmark();
    if (baseSlot) baseSlot->Carry(view_->Aggregates().Release(), *base_);
    DropView();
    Walk(*base_, bookmark);
    return true;
}

OrderAggregates* CursorOrders::Aggregates() const {
    if (view_) return view_->Aggregates().Get();
    AggregateSlot* slot = SlotOf(*base_);
    return slot ? slot->Get() : nullptr;
}

void CursorOrders::CarryAggregates(std::unique_ptr<OrderAggregates> set) {
    auto lock = table_.Lock();
    RowOrder& order = view_ ? static_cast<RowOrder&>(*view_) : *base_;
    if (AggregateSlot* slot = SlotOf(order)) {
        slot->Carry(std::move(set), order);
        return;
    }
    if (!set) return;
    auto view = std::make_unique<STIDXFILT>(table_, *base_, kCursorViewName);
    view->Aggregates().Carry(std::move(set), *view);
    InstallView(std::move(view), cursor_.GetBookmark());
}

void CursorOrders::Release() {
    auto lock = table_.Lock();
    if (view_) DropView();
    if (AggregateSlot* slot = SlotOf(*base_)) slot->Release();
    base_ = &table_.DefaultOrder();
    cursor_.UseOrder(*base_);
    if (!fieldIndex_.empty()) table_.DropOrder(fieldIndex_);
    fieldIndex_.clear();
}

}  // namespace velmora::store
