#include "datapacket/packet_writer_table.h"

#include <unordered_map>
#include <vector>

#include "datapacket/FLDCVar.h"
#include "datapacket/PKWRITER.h"
#include "datapacket/packet_writer_parameters.h"
#include "platform/errors.h"
#include "store/row_state.h"

namespace velmora::datapacket {

namespace {

using store::STBASE;

void Check(int code) {
    if (code != 0) throw EStoreError(code);
}

struct RowToWrite {
    uint32_t slot;
    uint8_t state;
};

std::vector<RowToWrite> RowsToWrite(const STBASE& table) {
    std::vector<RowToWrite> rows;
    if (table.LogSize() != 0) {
        for (uint32_t slot = 1; slot <= table.SlotCount(); ++slot)
            rows.push_back({slot, table.SlotState(slot)});
        return rows;
    }
    const bool currentOnly = !table.ChangeLogging() && !table.IsDelta();
    // Reading the default order changes nothing; the table only hands it out for writing.
    const store::RowOrder& order = const_cast<STBASE&>(table).DefaultOrder();
    for (uint32_t at = 0; at < order.Count(); ++at) {
        const uint32_t slot = order.SlotAt(at);
        const uint8_t state = table.SlotState(slot);
        if (state & store::kRowDiscarded) continue;
        if (currentOnly && !store::IsVisibleRowState(state)) continue;
        rows.push_back({slot, currentOnly ? store::kRowUnchanged : state});
    }
    return rows;
}

// For each modified version, the version it replaced.
std::unordered_map<uint32_t, uint32_t> ReplacedVersions(const STBASE& table) {
    std::unordered_map<uint32_t, uint32_t> replaced;
    for (const store::ChangeLogEntry& entry : table.LogEntries())
        if (entry.kind == store::kChangeModification) replaced[entry.slot] = entry.replaced;
    return replaced;
}

// A column whose values the binary form gives a 1-byte length prefix, and a value longer than
// that prefix can say (a wide text past its WIDTH, which XML does not cut, or a value from a
// packet that gave the column a wider prefix): the column is written with a 2-byte prefix,
// which the reader takes from the column's type.
ColumnFormat BinaryFormatOf(const STBASE& table, size_t column,
                            const std::vector<RowToWrite>& rows) {
    ColumnFormat format = FormatOf(table.Columns()[column]);
    if (!format.type.varying || format.type.array || format.type.size != 1) return format;
    const bool text = format.type.kind == store::StoredKind::Text;
    for (const RowToWrite& row : rows) {
        const store::RowView view = table.SlotRowUnderLock(row.slot);
        if (view.IsNull(column) || view.IsUnchanged(column)) continue;
        const std::string_view value = view.Value(column);
        const bool closingZero = text && TakesClosingZero(value);
        if (value.size() + (closingZero ? 1 : 0) > UINT8_MAX) {
            format.type.size = 2;
            break;
        }
    }
    return format;
}

class RowWriter {
public:
    RowWriter(const STBASE& table, PKWRITER& writer, PacketForm form)
        : table_(table), writer_(writer), form_(form), replaced_(ReplacedVersions(table)) {}

    void Write(const RowToWrite& row) {
        Check(writer_.WriteValue(ValueMark::Present,
                                 std::string_view(reinterpret_cast<const char*>(&row.state), 1)));
        const store::RowView view = table_.SlotRowUnderLock(row.slot);
        const uint32_t replaced = (row.state & store::kRowModified) ? ReplacedBy(row.slot) : 0;
        for (size_t c = 0; c < view.ColumnCount(); ++c) {
            if (view.IsNull(c) && NullBlobNeedsSaying(c, replaced))
                Check(writer_.WriteValue(ValueMark::Present, {}));  // read back as null
            else if (view.IsNull(c))
                Check(writer_.WriteValue(ValueMark::Null, {}));
            else if (view.IsUnchanged(c) || SameBlobAsReplaced(c, view, replaced))
                Check(writer_.WriteValue(ValueMark::Unchanged, {}));
            else
                Check(writer_.WriteValue(ValueMark::Present, view.Value(c)));
        }
    }

private:
    uint32_t ReplacedBy(uint32_t slot) const {
        const auto found = replaced_.find(slot);
        return found == replaced_.end() ? 0 : found->second;
    }

    // The reader takes a blob left out of a modified version from the version it replaces.
    bool TakesReplacedBlob(size_t column, uint32_t replaced) const {
        return replaced != 0 && !table_.IsDelta() &&
               table_.Columns()[column].type == store::LogicalType::Blob;
    }
    bool SameBlobAsReplaced(size_t column, const store::RowView& view, uint32_t replaced) const {
        if (!TakesReplacedBlob(column, replaced)) return false;
        const store::RowView old = table_.SlotRowUnderLock(replaced);
        return !old.IsNull(column) && old.Value(column) == view.Value(column);
    }
    // So a null blob of a modified version whose replaced version has one is written as an
    // empty attribute, which XML reads as null, rather than left out.
    bool NullBlobNeedsSaying(size_t column, uint32_t replaced) const {
        return form_ == PacketForm::Xml && TakesReplacedBlob(column, replaced) &&
               !table_.SlotRowUnderLock(replaced).IsNull(column);
    }

    const STBASE& table_;
    PKWRITER& writer_;
    PacketForm form_;
    std::unordered_map<uint32_t, uint32_t> replaced_;
};

}  // namespace

std::string WritePacket(const STBASE& table, int mode) {
    const auto lock = table.Lock();
    const PacketForm form = mode == kModeBinary ? PacketForm::Binary : PacketForm::Xml;
    PKWRITER writer;
    Check(writer.SetPacketForm(mode));
    Check(writer.BeginPacket(table.Columns().size()));
    const std::vector<RowToWrite> rowsToWrite = RowsToWrite(table);
    for (size_t c = 0; c < table.Columns().size(); ++c) {
        const store::StoredColumn& column = table.Columns()[c];
        const ColumnFormat format =
            form == PacketForm::Binary ? BinaryFormatOf(table, c, rowsToWrite) : FormatOf(column);
        Check(writer.WriteColumn(column.name, format, column.attributes));
        for (const store::Parameter& parameter : FieldLevelParameters(column, form))
            Check(writer.WriteParameter(ParameterLevel::Field, parameter));
    }
    for (const store::Parameter& parameter : TableLevelParameters(table, form))
        Check(writer.WriteParameter(ParameterLevel::Table, parameter));
    Check(writer.WriteParameter(ParameterLevel::Table, store::Parameter{}));
    RowWriter rows(table, writer, form);
    for (const RowToWrite& row : rowsToWrite) rows.Write(row);
    std::string packet;
    Check(writer.EndPacket(packet));
    return packet;
}

}  // namespace velmora::datapacket
