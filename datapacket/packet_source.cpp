#include "datapacket/packet_source.h"

#include "datapacket/converter_factory.h"
#include "datapacket/field_types.h"
#include "datapacket/packet_codes.h"
#include "platform/errors.h"
#include "store/row_state.h"
#include "store/stored_table_column.h"

namespace velmora::datapacket {

bool PacketSource::ReadColumn(store::ColumnDescription& column) {
    if (phase_ != Phase::Columns) return false;
    queued_.clear();
    nextQueued_ = 0;
    if (NextColumn(describing_.back(), column)) return true;
    phase_ = Phase::TableParameters;
    return false;
}

bool PacketSource::ReadParameter(store::Parameter& parameter) {
    if (nextQueued_ < queued_.size()) {
        parameter = std::move(queued_[nextQueued_++]);
        return true;
    }
    if (phase_ != Phase::TableParameters) return false;
    const int table = describing_.back();
    queued_.clear();
    nextQueued_ = 0;
    if (table == 0) {
        phase_ = Phase::Rows;
    } else {
        describing_.pop_back();
        LeaveNestedTable(table);
        phase_ = Phase::Columns;
    }
    return false;
}

bool PacketSource::ReadValue(std::string& stored, ValueMark& mark) {
    // A caller that skips what it does not need still gets the rows.
    while (phase_ != Phase::Rows) {
        store::ColumnDescription column;
        store::Parameter parameter;
        ReadColumn(column);
        while (ReadParameter(parameter)) {
        }
    }
    return NextValue(stored, mark);
}

void PacketSource::QueueParameter(store::Parameter parameter, bool tableLevel) {
    CheckParameter(parameter, tableLevel);
    if (tableLevel && MarksChangeSet(parameter))
        tables_[static_cast<size_t>(describing_.back())].changeSet = true;
    queued_.push_back(std::move(parameter));
}

FieldParameters PacketSource::QueuedFieldParameters() const {
    FieldParameters fields;
    for (const store::Parameter& parameter : queued_) ApplyFieldParameter(parameter, fields);
    return fields;
}

PacketColumn& PacketSource::AddColumn(int table, const store::ColumnDescription& column,
                                      std::string lookupName, PacketForm form,
                                      WideBytes wideBytes) {
    FieldParameters fields = QueuedFieldParameters();
    fields.format.type = column.type;
    PacketColumn added;
    added.converter = CreateConverter(lookupName, fields.format, form, wideBytes);
    added.lookupName = std::move(lookupName);
    const bool bytes = column.type.kind == store::StoredKind::Bytes ||
                       column.type.kind == store::StoredKind::BytesAlt;
    added.blob = bytes && store::IsBlobSubtype(fields.format.subtype);
    if (column.type.kind == store::StoredKind::Nested) {
        const PacketTable& outer = tables_[static_cast<size_t>(table)];
        if (outer.nesting >= kMaxNestedTableDepth) throw EStoreError(kCodeBadMetadata);
        PacketTable nested;
        nested.parent = table;
        nested.nesting = outer.nesting + 1;
        added.nestedTable = static_cast<int>(tables_.size());
        tables_.push_back(std::move(nested));
        describing_.push_back(added.nestedTable);
    }
    std::vector<PacketColumn>& columns = tables_[static_cast<size_t>(table)].columns;
    columns.push_back(std::move(added));
    return columns.back();
}

ValueMark PacketSource::AbsentMark(const PacketTable& table, const PacketColumn& column,
                                   uint8_t rowState) const {
    if ((rowState & store::kRowModified) == 0) return ValueMark::Null;
    if (column.blob) return ValueMark::Unchanged;
    for (const PacketTable* t = &table; t;
         t = t->parent < 0 ? nullptr : &tables_[static_cast<size_t>(t->parent)])
        if (t->changeSet) return ValueMark::Unchanged;
    return ValueMark::Null;
}

}  // namespace velmora::datapacket
