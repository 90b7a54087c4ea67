#pragma once
// What tells two stored tables apart, as far as a datapacket carries them: the structure, the
// settings read from parameters, the change log and the rows a packet holds (every slot while
// the log is not empty, else the rows of the default order), each with its state and values.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "datapacket/packet_writer_types.h"
#include "store/STBASE.h"

namespace velmora::fuzzing {

// The form a table went through, and what that form may change without a fault: the binary
// form has no place for a parameter's round-trip mark; XML writes the parameters it knows as
// attributes and the others as PARAM children, so the known ones come back first.
enum class PacketForm { Binary, Xml };

namespace detail {

inline std::vector<store::Parameter> InFormOrder(std::vector<store::Parameter> parameters,
                                                 PacketForm form, bool tableLevel) {
    if (form == PacketForm::Xml)
        std::stable_partition(parameters.begin(), parameters.end(),
                              [tableLevel](const store::Parameter& parameter) {
                                  return datapacket::WrittenAsAttribute(parameter, tableLevel);
                              });
    return parameters;
}

inline bool SameParameters(const std::vector<store::Parameter>& original,
                           const std::vector<store::Parameter>& readBack, PacketForm form,
                           bool tableLevel) {
    const std::vector<store::Parameter> a = InFormOrder(original, form, tableLevel);
    const std::vector<store::Parameter>& b = readBack;
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].type != b[i].type || a[i].value != b[i].value)
            return false;
        if (form == PacketForm::Xml && a[i].roundtrip != b[i].roundtrip) return false;
    }
    return true;
}

inline std::vector<uint32_t> PacketSlots(store::STBASE& table) {
    std::vector<uint32_t> slots;
    if (table.LogSize() != 0) {
        for (uint32_t slot = 1; slot <= table.SlotCount(); ++slot) slots.push_back(slot);
        return slots;
    }
    const store::RowOrder& order = table.DefaultOrder();
    for (uint32_t at = 0; at < order.Count(); ++at) slots.push_back(order.SlotAt(at));
    return slots;
}

inline bool SameValue(const store::RowView& a, const store::RowView& b, size_t column) {
    return a.IsNull(column) == b.IsNull(column) && a.IsUnchanged(column) == b.IsUnchanged(column) &&
           a.Value(column) == b.Value(column);
}

inline std::string ColumnDifference(const store::StoredColumn& a, const store::StoredColumn& b,
                                    PacketForm form) {
    if (a.name != b.name) return "name";
    if (a.type != b.type) return "type";
    if (a.width != b.width) return "width";
    if (a.precision != b.precision || a.scale != b.scale) return "precision or scale";
    if (a.attributes != b.attributes) return "attributes";
    if (a.subtype != b.subtype) return "subtype";
    if (a.calculated != b.calculated) return "calculated mark";
    if (!SameParameters(a.parameters, b.parameters, form, false)) return "parameters";
    return {};
}

inline std::string ColumnsDifference(store::STBASE& a, store::STBASE& b, PacketForm form) {
    if (a.Columns().size() != b.Columns().size()) return "column count";
    for (size_t c = 0; c < a.Columns().size(); ++c) {
        const std::string what = ColumnDifference(a.Columns()[c], b.Columns()[c], form);
        if (!what.empty()) return what + " of column " + a.Columns()[c].name;
    }
    return {};
}

inline std::string RowDifference(store::STBASE& a, store::STBASE& b) {
    const std::vector<uint32_t> slotsA = PacketSlots(a);
    const std::vector<uint32_t> slotsB = PacketSlots(b);
    if (slotsA.size() != slotsB.size()) return "row count";
    for (size_t i = 0; i < slotsA.size(); ++i) {
        if (a.SlotState(slotsA[i]) != b.SlotState(slotsB[i]))
            return "state of row " + std::to_string(i + 1);
        const store::RowView rowA = a.SlotRow(slotsA[i]);
        const store::RowView rowB = b.SlotRow(slotsB[i]);
        for (size_t c = 0; c < a.Columns().size(); ++c)
            if (!SameValue(rowA, rowB, c))
                return "value of column " + a.Columns()[c].name + " in row " +
                       std::to_string(i + 1);
    }
    return {};
}

}  // namespace detail

// Empty when `b`, read back from `a` written in `form`, equals it; else what differs first.
inline std::string TableDifference(store::STBASE& a, store::STBASE& b,
                                   PacketForm form = PacketForm::Xml) {
    if (std::string columns = detail::ColumnsDifference(a, b, form); !columns.empty())
        return columns;
    if (!detail::SameParameters(a.TableParameters(), b.TableParameters(), form, true))
        return "table parameters";
    if (a.FieldLinks().has_value() != b.FieldLinks().has_value() ||
        (a.FieldLinks() &&
         !detail::SameParameters({*a.FieldLinks()}, {*b.FieldLinks()}, form, true)))
        return "field links";
    if (a.IndexDescriptions() != b.IndexDescriptions()) return "index descriptions";
    if (a.DefaultOrderKey() != b.DefaultOrderKey()) return "default order key";
    if (a.Lcid() != b.Lcid()) return "locale";
    if (a.IsDelta() != b.IsDelta()) return "change set mark";
    if (a.FileReadOnly() != b.FileReadOnly() || a.EditsDisabled() != b.EditsDisabled() ||
        a.InsertsDisabled() != b.InsertsDisabled() || a.DeletesDisabled() != b.DeletesDisabled())
        return "refusals";
    if (a.KeepsAutoIncCounter() != b.KeepsAutoIncCounter() ||
        (a.KeepsAutoIncCounter() && a.AutoIncCounter() != b.AutoIncCounter()))
        return "auto-increment counter";
    if (a.LogEntries() != b.LogEntries()) return "change log";
    return detail::RowDifference(a, b);
}

}  // namespace velmora::fuzzing
