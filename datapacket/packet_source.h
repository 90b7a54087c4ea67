#pragma once
// The common part of the XML and binary packet readers: the order in which the three streams
// are served, the tables (the main one and nested ones) with their column converters, and the
// parameters waiting to be handed out.
//
// Order: ReadColumn gives the columns of a table; after each, ReadParameter gives its
// field-level parameters. A nested-table column is followed by the nested table's columns,
// then (after ReadColumn said no more) its table parameters, then the outer table's next
// column. After the main table's columns come its table parameters, then the rows: for each
// row its state byte, then one value per column; a nested-table column that is present is
// followed by its rows, ended by one "no more".

#include <memory>
#include <string>
#include <vector>

#include "datapacket/FLDConv.h"
#include "datapacket/entities.h"
#include "datapacket/packet_parameters.h"
#include "store/column_description.h"

namespace velmora::datapacket {

struct PacketColumn {
    std::string lookupName;  // XML: the ROW attribute or child element that holds the value
    std::unique_ptr<FLDConv> converter;
    bool inAttribute = true;  // XML: the value is an attribute of ROW, not a child element
    bool blob = false;
    int nestedTable = -1;  // index of the nested table whose rows this column holds
};

struct PacketTable {
    std::vector<PacketColumn> columns;
    int parent = -1;
    int nesting = 0;         // 0 for the main table
    bool changeSet = false;  // its own parameters mark it a change set (so are its nested tables)
};

class PacketSource {
public:
    virtual ~PacketSource() = default;

    // False: no more (see above).
    bool ReadColumn(store::ColumnDescription& column);
    bool ReadParameter(store::Parameter& parameter);
    bool ReadValue(std::string& stored, ValueMark& mark);

protected:
    enum class Phase { Columns, TableParameters, Rows };

    // Reads the next column of table `table` into `column`, queuing its field-level
    // parameters with QueueParameter and registering it with AddColumn. False at the end of
    // the table's columns, after queuing its table parameters.
    virtual bool NextColumn(int table, store::ColumnDescription& column) = 0;
    // Called when the table parameters of nested table `table` have all been handed out.
    virtual void LeaveNestedTable(int table) = 0;
    // Serves the rows; false for no more (at the end of a nested table's rows, and from the
    // end of the main table's rows on).
    virtual bool NextValue(std::string& stored, ValueMark& mark) = 0;

    void QueueParameter(store::Parameter parameter, bool tableLevel);
    // Registers the column described by `column` and the parameters queued for it. A nested
    // table column opens a new table, whose columns NextColumn reads next. Raises
    // EStoreError(kCodeBadMetadata) beyond kMaxNestedTableDepth nested tables.
    PacketColumn& AddColumn(int table, const store::ColumnDescription& column,
                            std::string lookupName, PacketForm form,
                            WideBytes wideBytes = WideBytes::Latin1);
    // The field-level parameters queued for the column being read.
    FieldParameters QueuedFieldParameters() const;
    // The mark of a value that the packet leaves out.
    ValueMark AbsentMark(const PacketTable& table, const PacketColumn& column,
                         uint8_t rowState) const;

    std::vector<PacketTable> tables_;
    std::vector<int> describing_;  // tables whose columns are being read, innermost last
    Phase phase_ = Phase::Columns;

private:
    std::vector<store::Parameter> queued_;
    size_t nextQueued_ = 0;
};

}  // namespace velmora::datapacket
