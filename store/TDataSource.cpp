#include "store/TDataSource.h"

#include <algorithm>

#include "store/TTableBase.h"
#include "store/data_link.h"

namespace velmora::store {

TDataSource::TDataSource(TTableBase* dataSet) {
    SetDataSet(dataSet);
}

TDataSource::~TDataSource() {
    while (!links_.empty()) links_.back()->SetSource(nullptr);
    SetDataSet(nullptr);
}

void TDataSource::SetDataSet(TTableBase* dataSet) {
    if (dataSet_ == dataSet) return;
    if (dataSet_) dataSet_->SourceDetached(*this);
    dataSet_ = dataSet;
    if (dataSet_) dataSet_->SourceAttached(*this);
}

int TDataSource::RowsShown() const {
    int rows = 0;
    for (const DataLink* link : links_) rows = std::max(rows, link->RowsShown());
    return rows;
}

// Links may detach themselves while they are told something: walk a copy.
template <typename Call>
void TDataSource::ForEachLink(Call call) {
    std::vector<DataLink*> links = links_;
    for (DataLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) call(*link);
}

void TDataSource::AnnounceActive() {
    ForEachLink([](DataLink& link) { link.ActiveChanged(); });
}

void TDataSource::AnnounceRows() {
    ForEachLink([](DataLink& link) { link.RowsChanged(); });
}

void TDataSource::AnnounceState() {
    ForEachLink([](DataLink& link) { link.StateChanged(); });
}

void TDataSource::AnnounceField(TField& field) {
    ForEachLink([&field](DataLink& link) { link.FieldChanged(field); });
}

void TDataSource::SettleLinks() {
    ForEachLink([](DataLink& link) { link.Settle(); });
}

void TDataSource::FlushLinks() {
    ForEachLink([](DataLink& link) { link.FlushPendingText(); });
}

bool TDataSource::FocusField(TField& field) {
    for (DataLink* link : links_)
        if (link->FocusField(field)) return true;
    return false;
}

void TDataSource::Attach(DataLink& link) {
    links_.push_back(&link);
    link.source_ = this;
    RowsShownChanged();
}

void TDataSource::Detach(DataLink& link) {
    links_.erase(std::remove(links_.begin(), links_.end(), &link), links_.end());
    link.source_ = nullptr;
    RowsShownChanged();
}

void TDataSource::RowsShownChanged() {
    if (dataSet_) dataSet_->ResizeWindow();
}

}  // namespace velmora::store
