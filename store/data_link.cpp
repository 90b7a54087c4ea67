#include "store/data_link.h"

#include "store/TDataSource.h"

namespace velmora::store {

DataLink::~DataLink() {
    SetSource(nullptr);
}

void DataLink::SetSource(TDataSource* source) {
    if (source_ == source) return;
    if (source_) source_->Detach(*this);
    if (source) source->Attach(*this);
}

void DataLink::RowsShownChanged() {
    if (source_) source_->RowsShownChanged();
}

void DataLink::FieldChanged(TField&) {}

bool DataLink::FocusField(TField&) {
    return false;
}

}  // namespace velmora::store
