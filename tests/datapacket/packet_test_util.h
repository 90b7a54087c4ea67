#pragma once
// Helpers for the datapacket tests: stored forms written out, small documents, and a whole
// packet read through PKREADER into plain structures.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "datapacket/FLDConv.h"
#include "store/column_description.h"

namespace velmora::datapacket::testing {

// Little-endian bytes of `value` in `size` bytes.
std::string LittleEndian(uint64_t value, size_t size);
std::string StoredDouble(double value);
// UTF-16 little-endian units of an ASCII or \u text.
std::string StoredWide(std::u16string_view text);

// <DATAPACKET Version="2.0"><METADATA><FIELDS>fields</FIELDS>params</METADATA>
// <ROWDATA>rows</ROWDATA></DATAPACKET>
std::string Document(std::string_view fields, std::string_view rows, std::string_view params = "");

struct ReadColumn {
    store::ColumnDescription description;
    std::vector<store::Parameter> parameters;
    friend bool operator==(const ReadColumn&, const ReadColumn&) = default;
};

struct ReadValue {
    ValueMark mark = ValueMark::Null;
    std::string stored;
    friend bool operator==(const ReadValue&, const ReadValue&) = default;
};

void PrintTo(const ReadValue& value, std::ostream* out);

struct ReadRow {
    uint8_t state = 0;
    std::vector<ReadValue> values;
    friend bool operator==(const ReadRow&, const ReadRow&) = default;
};

struct ReadPacket {
    std::vector<ReadColumn> columns;
    std::vector<store::Parameter> parameters;
    std::vector<ReadRow> rows;
    friend bool operator==(const ReadPacket&, const ReadPacket&) = default;
};

// Reads a packet without nested tables to its end. Errors propagate.
ReadPacket ReadWhole(std::string_view bytes);

// The code of the EStoreError that reading the whole packet raises, or 0.
int ReadFailure(std::string_view bytes);

ReadValue Present(std::string stored);
ReadValue Null();
ReadValue Unchanged();

}  // namespace velmora::datapacket::testing
