#pragma once
// The value of a field or an expression: null, an integer, a fixed-point decimal in 1/10000
// units, a double, a text (code page) or a boolean. Used by AsValue and the expression
// evaluator.

#include <cstdint>
#include <string>
#include <variant>

namespace velmora::store {

// A fixed-point decimal with four places: the value is units / 10000.
struct FixedPoint {
    int64_t units = 0;
    friend bool operator==(FixedPoint, FixedPoint) = default;
};

inline constexpr int64_t kFixedPointOne = 10000;

class Value {
public:
    enum class Kind { Null, Integer, FixedPoint, Double, Text, Boolean };

    Value() = default;
    static Value Integer(int64_t v) { return Value(Data(std::in_place_index<1>, v)); }
    static Value Fixed(FixedPoint v) { return Value(Data(std::in_place_index<2>, v)); }
    static Value Double(double v) { return Value(Data(std::in_place_index<3>, v)); }
    static Value Text(std::string v) { return Value(Data(std::in_place_index<4>, std::move(v))); }
    static Value Boolean(bool v) { return Value(Data(std::in_place_index<5>, v)); }

    Kind GetKind() const { return static_cast<Kind>(data_.index()); }
    bool IsNull() const { return data_.index() == 0; }

    // REQUIRES: GetKind() is the kind asked for.
    int64_t AsInteger() const { return std::get<1>(data_); }
    FixedPoint AsFixed() const { return std::get<2>(data_); }
    double AsDouble() const { return std::get<3>(data_); }
    const std::string& AsText() const { return std::get<4>(data_); }
    bool AsBoolean() const { return std::get<5>(data_); }

    friend bool operator==(const Value&, const Value&) = default;

private:
    using Data = std::variant<std::monostate, int64_t, FixedPoint, double, std::string, bool>;
    explicit Value(Data data) : data_(std::move(data)) {}
    Data data_;
};

}  // namespace velmora::store
