#pragma once
// A condition made only of comparisons of columns with constants ("id_item = 3"), alone or
// joined by AND, judged on a row's stored bytes instead of by running the program: the lot
// filter tests every row of the item table, and this is its whole cost per row.
//
// The verdict is the evaluator's own for every row it gives one: the comparison modes, the
// constants (already of the column's kind, as the compiler typed them), the text collation
// and the floating-point tolerance are the same. A row in which a compared column is null
// gets no verdict, since there the evaluator's null rules (a null reads as zero, AND ignores
// null marks) decide, and the caller evaluates that row in full.

#include <optional>
#include <string>
#include <vector>

#include "store/expression_collation.h"
#include "store/expression_program.h"
#include "store/row_image.h"

namespace velmora::store {

class ColumnComparisons {
public:
    // The comparisons program consists of; nullopt for a program of any other shape (other
    // operations, a null constant, a compared column of a kind not read here).
    // REQUIRES: collation outlives the result; program was compiled for layout's columns.
    static std::optional<ColumnComparisons> Of(const ExpressionProgram& program,
                                               const RowLayout& layout,
                                               const TextCollation& collation);

    // Whether row satisfies the condition; nullopt when a compared column is null.
    // REQUIRES: row has the layout the comparisons were made for.
    std::optional<bool> Judge(const RowView& row) const;

private:
    // One side of a comparison: a column of the row or a constant.
    struct Operand {
        bool column = false;
        size_t index = 0;  // the column
        // A fixed-size column's place in the image (size 0: a varying column).
        uint32_t offset = 0;
        uint16_t size = 0;
        LogicalType type = LogicalType::Int32;
        uint8_t scale = 0;  // a decimal column's
        int64_t integer = 0;
        double number = 0;
        std::string text;
    };
    struct Comparison {
        OpCode code = OpCode::Compare;
        ExprOperator op = ExprOperator::Equal;
        RegisterClass mode = RegisterClass::Integer;
        bool caseInsensitive = false;
        uint32_t partialLength = 0;
        Operand a;
        Operand b;
    };
    class Reader;

    explicit ColumnComparisons(const TextCollation& collation) : collation_(&collation) {}
    bool Satisfied(const Comparison& comparison, const RowView& row) const;

    const TextCollation* collation_;
    std::vector<size_t> columns_;  // the compared columns, each once
    std::vector<Comparison> comparisons_;
};

}  // namespace velmora::store
