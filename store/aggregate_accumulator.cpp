#include "store/aggregate_accumulator.h"

#include <algorithm>

#include "store/decimal_double.h"

namespace velmora::store {
namespace {

bool IsNumber(const Value& value) {
    const Value::Kind kind = value.GetKind();
    return kind == Value::Kind::Integer || kind == Value::Kind::FixedPoint ||
           kind == Value::Kind::Double;
}

double NumberOf(const Value& value) {
    switch (value.GetKind()) {
        case Value::Kind::Integer:
            return static_cast<double>(value.AsInteger());
        case Value::Kind::FixedPoint:
            return NearestDouble(value.AsFixed());
        default:
            return value.AsDouble();
    }
}

template <typename T>
int ThreeWay(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// a + sign * b at the larger of the two scales; false when it does not fit.
bool AddExact(Decimal& sum, const Decimal& b, int sign) {
    const int scale = std::max(sum.scale, b.scale);
    const std::optional<Decimal> x = RescaleDecimal(sum, scale);
    const std::optional<Decimal> y = RescaleDecimal(b, scale);
    if (!x || !y) return false;
    Int128 units = 0;
    const bool overflow = sign > 0 ? __builtin_add_overflow(x->units, y->units, &units)
                                   : __builtin_sub_overflow(x->units, y->units, &units);
    if (overflow) return false;
    sum = Decimal{units, static_cast<uint8_t>(scale)};
    return true;
}

}  // namespace

int CompareAggregateValues(const Value& a, const Value& b, const TextCollation& collation) {
    if (IsNumber(a)) {
        if (a.GetKind() == Value::Kind::Integer && b.GetKind() == Value::Kind::Integer)
            return ThreeWay(a.AsInteger(), b.AsInteger());
        if (a.GetKind() == Value::Kind::FixedPoint && b.GetKind() == Value::Kind::FixedPoint)
            return ThreeWay(a.AsFixed().units, b.AsFixed().units);
        return ThreeWay(NumberOf(a), NumberOf(b));
    }
    if (a.GetKind() == Value::Kind::Text) return collation.Compare(a.AsText(), b.AsText(), false);
    return ThreeWay(a.AsBoolean(), b.AsBoolean());
}

void TermAccumulator::Add(const TermArgument& argument, const TextCollation& collation) {
    ++rows_;
    if (kind_ == AggregateKind::CountStar) return;
    if (argument.null) {
        ++nulls_;
        return;
    }
    if (kind_ == AggregateKind::Sum || kind_ == AggregateKind::Avg) AddNumber(argument, 1);
    if (kind_ == AggregateKind::Min || kind_ == AggregateKind::Max) {
        // A stale extreme is found again by the rescan, which sees this row too.
        if (!stale_) TakeExtreme(argument.value, collation);
    }
}

void TermAccumulator::Remove(const TermArgument& argument, const TextCollation& collation) {
    --rows_;
    if (kind_ == AggregateKind::CountStar) return;
    if (argument.null) {
        --nulls_;
        return;
    }
    if (Contributing() == 0) {
        // The last value left: start again from exact zero rather than a residue of doubles.
        const uint32_t rows = rows_;
        const uint32_t nulls = nulls_;
        Reset();
        rows_ = rows;
        nulls_ = nulls;
        return;
    }
    if (kind_ == AggregateKind::Sum || kind_ == AggregateKind::Avg) AddNumber(argument, -1);
    if ((kind_ == AggregateKind::Min || kind_ == AggregateKind::Max) && !stale_ &&
        CompareAggregateValues(argument.value, extreme_, collation) == 0)
        stale_ = true;
}

void TermAccumulator::Reset() {
    rows_ = 0;
    nulls_ = 0;
    sum_ = 0;
    exactSum_ = true;
    exact_ = Decimal{};
    extreme_ = Value();
    stale_ = false;
}

void TermAccumulator::AddNumber(const TermArgument& argument, int sign) {
    if (exactSum_) {
        if (argument.fixed && AddExact(exact_, argument.exact, sign)) return;
        exactSum_ = false;
        sum_ = NearestDouble(exact_);
    }
    sum_ += sign * argument.number;
}

void TermAccumulator::TakeExtreme(const Value& value, const TextCollation& collation) {
    if (extreme_.IsNull()) {
        extreme_ = value;
        return;
    }
    const int order = CompareAggregateValues(value, extreme_, collation);
    if (kind_ == AggregateKind::Min ? order < 0 : order > 0) extreme_ = value;
}

Value TermAccumulator::Result() const {
    switch (kind_) {
        case AggregateKind::Count:
            return Value::Integer(Contributing());
        case AggregateKind::CountStar:
            return Value::Integer(rows_);
        default:
            break;
    }
    if (Contributing() == 0) return Value();
    if (kind_ == AggregateKind::Min || kind_ == AggregateKind::Max) return extreme_;
    const double sum = exactSum_ ? NearestDouble(exact_) : sum_;
    return Value::Double(kind_ == AggregateKind::Sum ? sum : sum / Contributing());
}

}  // namespace velmora::store
