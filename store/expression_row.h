#pragma once
// The row an expression is evaluated for: each column's null mark and stored form (see
// stored_type.h), read in place so that filters and searches need not copy rows.

#include <cstddef>
#include <string_view>

#include "store/row_image.h"

namespace velmora::store {

class ExpressionRow {
public:
    virtual ~ExpressionRow() = default;
    // REQUIRES (both): column is a column of the table the expression was compiled for.
    virtual bool IsNull(size_t column) const = 0;
    // Valid until the row changes; empty for a null column.
    virtual std::string_view Stored(size_t column) const = 0;
};

// A row slot or a row buffer of the stored table.
class RowViewExpressionRow final : public ExpressionRow {
public:
    explicit RowViewExpressionRow(RowView row) : row_(row) {}
    void Reset(RowView row) { row_ = row; }
    bool IsNull(size_t column) const override { return row_.IsNull(column); }
    std::string_view Stored(size_t column) const override { return row_.Value(column); }

private:
    RowView row_;
};

}  // namespace velmora::store
