#include "store/TTableBase.h"

#include <algorithm>

#include "store/TDataSource.h"
#include "store/field_names.h"

namespace velmora::store {

TTableBase::TTableBase(std::string name) : name_(std::move(name)) {}

TTableBase::~TTableBase() {
    while (!sources_.empty()) sources_.back()->SetDataSet(nullptr);
}

void TTableBase::SetActive(bool active) {
    if (active)
        OpenTable();
    else
        CloseTable();
}

uint32_t TTableBase::RowCount() const {
    return Active() ? ViewRowCount() : 0;
}

void TTableBase::RaiseAbort() {
    throw EAbort();
}

void TTableBase::Fail(const std::string& message) const {
    DatabaseError(message, name_);
}

void TTableBase::CheckActiveFailed() const {
    Fail("Cannot perform this operation on a closed dataset");
}

// ---- Fields ---------------------------------------------------------------------------------

void TTableBase::AdoptField(std::unique_ptr<TField> field) {
    field->AttachTo(this);
    auto& list = field->Kind() == fkAggregate ? aggregates_ : fields_;
    list.push_back(std::move(field));
}

void TTableBase::DropDefaultFields() {
    fields_.erase(fields_.begin(), fields_.begin() + static_cast<long>(defaultFieldCount_));
    defaultFieldCount_ = 0;
}

TField* TTableBase::FindFieldNamed(std::string_view name) const {
    for (const auto* list : {&fields_, &aggregates_})
        for (const auto& field : *list)
            if (SameFieldName(field->FieldName(), name)) return field.get();
    return nullptr;
}

TField& TTableBase::FieldNamed(std::string_view name) const {
    if (TField* field = FindFieldNamed(name)) return *field;
    Fail(FillMessage("Field '%s' not found", {std::string(name)}));
}

void TTableBase::SetBufferLayout(size_t calculatedCount, size_t aggregateCount) {
    calculatedCount_ = calculatedCount;
    aggregateCount_ = aggregateCount;
}

// ---- Data sources and announcements -----------------------------------------------------

void TTableBase::SourceAttached(TDataSource& source) {
    sources_.push_back(&source);
    ResizeWindow();
}

void TTableBase::SourceDetached(TDataSource& source) {
    sources_.erase(std::remove(sources_.begin(), sources_.end(), &source), sources_.end());
    ResizeWindow();
}

void TTableBase::SetState(TableState state) {
    if (state_ == state) return;
    state_ = state;
    for (TDataSource* source : std::vector<TDataSource*>(sources_)) source->AnnounceState();
}

void TTableBase::AnnounceRows() {
    for (TDataSource* source : std::vector<TDataSource*>(sources_)) source->AnnounceRows();
}

void TTableBase::AnnounceActive() {
    for (TDataSource* source : std::vector<TDataSource*>(sources_)) source->AnnounceActive();
}

void TTableBase::AnnounceField(TField& field) {
    for (TDataSource* source : std::vector<TDataSource*>(sources_)) source->AnnounceField(field);
}

void TTableBase::SettleControls() {
    for (TDataSource* source : std::vector<TDataSource*>(sources_)) source->SettleLinks();
}

void TTableBase::FlushControls() {
    for (TDataSource* source : std::vector<TDataSource*>(sources_)) source->FlushLinks();
}

}  // namespace velmora::store
