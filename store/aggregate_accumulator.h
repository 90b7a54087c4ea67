#pragma once
// The running state of one aggregate function (SUM, AVG, MIN, MAX, COUNT, COUNT(*)) over one
// group of rows: rows added, rows whose argument was null, and the accumulated value.
//
//   SUM, AVG    add and subtract in double precision; a fixed-point argument is summed exactly
//               in fixed point (and in double only if the exact sum would overflow)
//   COUNT       counts the non-null arguments, COUNT(*) every row; both are never null
//   MIN, MAX    keep the extreme; removing a value equal to it leaves the extreme stale until
//               the group is scanned again (NeedsRescan)
// Every function but COUNT and COUNT(*) is null while no row with a non-null argument is in.

#include <cstdint>

#include "store/decimal.h"
#include "store/expression_collation.h"
#include "store/expression_program.h"
#include "store/value.h"

namespace velmora::store {

// One row's argument as an aggregate function takes it.
struct TermArgument {
    bool null = true;
    bool fixed = false;  // `exact` holds the value (a fixed-point argument)
    Decimal exact;
    double number = 0;  // numbers, fixed point included
    Value value;        // MIN and MAX: the value as compared
};

class TermAccumulator {
public:
    explicit TermAccumulator(AggregateKind kind) : kind_(kind) {}

    AggregateKind Kind() const { return kind_; }
    // REQUIRES (both): collation is the one every value of this accumulator compares with.
    void Add(const TermArgument& argument, const TextCollation& collation);
    // REQUIRES: argument was added before and not removed since.
    void Remove(const TermArgument& argument, const TextCollation& collation);
    // Back to no rows.
    void Reset();

    // MIN or MAX lost its extreme: the group must be scanned again before Result is right.
    bool NeedsRescan() const { return stale_; }
    Value Result() const;

private:
    uint32_t Contributing() const { return rows_ - nulls_; }
    void AddNumber(const TermArgument& argument, int sign);
    void TakeExtreme(const Value& value, const TextCollation& collation);

    AggregateKind kind_;
    uint32_t rows_ = 0;
    uint32_t nulls_ = 0;
    double sum_ = 0;
    bool exactSum_ = true;  // fixed-point arguments so far, summed in `exact_`
    Decimal exact_;
    Value extreme_;
    bool stale_ = false;
};

// <0, 0 or >0 as a is before, equal to or after b: numbers by value, texts with the collation,
// false before true.
// REQUIRES: a and b are not null and both numbers, both texts or both booleans.
int CompareAggregateValues(const Value& a, const Value& b, const TextCollation& collation);

}  // namespace velmora::store
