// The scalar functions: text functions, date and time parts, GETDATE, DATE and TIME.
#include <algorithm>
#include <cmath>

#include "store/expression_evaluator.h"
#include "store/expression_temporal.h"

namespace velmora::store {
namespace {

// Windows-1252 letters beyond ASCII: the capitals 0xC0-0xDE (but the sign 0xD7) pair with
// 0xE0-0xFE (but 0xF7); and the pairs below.
constexpr std::pair<unsigned char, unsigned char> kCasePairs[] = {
    {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};

char UpperCase(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
        return static_cast<char>(u - 32);
    for (const auto& [upper, lower] : kCasePairs)
        if (u == lower) return static_cast<char>(upper);
    return c;
}

char LowerCase(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
        return static_cast<char>(u + 32);
    for (const auto& [upper, lower] : kCasePairs)
        if (u == upper) return static_cast<char>(lower);
    return c;
}

// SUBSTRING(text, start[, length]): start counts from 1; positions outside the text are empty.
std::string_view Substring(std::string_view text, double start, double length) {
    const double from = std::nearbyint(start) - 1;
    const double to = from + std::nearbyint(length);
    const double size = static_cast<double>(text.size());
    const auto begin = static_cast<size_t>(std::clamp(from, 0.0, size));
    const auto end = static_cast<size_t>(std::clamp(to, static_cast<double>(begin), size));
    return text.substr(begin, end - begin);
}

std::string_view Trim(std::string_view text, std::string_view characters, bool left, bool right) {
    if (left) text.remove_prefix(std::min(text.find_first_not_of(characters), text.size()));
    if (right) {
        const size_t last = text.find_last_not_of(characters);
        text = last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
    }
    return text;
}

double DayOf(double milliseconds) {
    return std::floor(milliseconds / kMillisecondsPerDay);
}

int64_t DatePart(FunctionId id, double milliseconds) {
    const double day = DayOf(milliseconds);
    const auto ofDay = static_cast<int64_t>(milliseconds - day * kMillisecondsPerDay);
    switch (id) {
        case FunctionId::Hour:
            return ofDay / 3600000;
        case FunctionId::Minute:
            return ofDay / 60000 % 60;
        case FunctionId::Second:
            return ofDay / 1000 % 60;
        default:
            break;
    }
    const CivilDate date = CivilDateOf(static_cast<int64_t>(day));
    return id == FunctionId::Year ? date.year : id == FunctionId::Month ? date.month : date.day;
}

}  // namespace

void ExpressionEvaluator::CallFunction(const Instruction& instruction) {
    ExpressionRegister& result = registers_[instruction.result];
    result.null = false;
    for (uint32_t i = 0; i < instruction.count; ++i) result.null |= Argument(instruction, i).null;
    const FunctionId id = instruction.function;
    switch (id) {
        case FunctionId::Upper:
        case FunctionId::Lower: {
            const std::string_view text = Argument(instruction, 0).text;
            result.buffer.resize(text.size());
            std::transform(text.begin(), text.end(), result.buffer.begin(),
                           id == FunctionId::Upper ? UpperCase : LowerCase);
            result.text = result.buffer;
            return;
        }
        case FunctionId::Substring: {
            const double length =
                instruction.count > 2 ? RegisterNumber(Argument(instruction, 2)) : HUGE_VAL;
            result.text = Substring(Argument(instruction, 0).text,
                                    RegisterNumber(Argument(instruction, 1)), length);
            return;
        }
        case FunctionId::Trim:
        case FunctionId::TrimLeft:
        case FunctionId::TrimRight: {
            const std::string_view characters =
                instruction.count > 1 ? Argument(instruction, 1).text : std::string_view(" ");
            result.text = Trim(Argument(instruction, 0).text, characters,
                               id != FunctionId::TrimRight, id != FunctionId::TrimLeft);
            return;
        }
        case FunctionId::GetDate:
            result.number = CurrentDateTime();
            return;
        case FunctionId::Date:
            result.number = DayOf(Argument(instruction, 0).number) * kMillisecondsPerDay;
            return;
        case FunctionId::Time: {
            const double value = Argument(instruction, 0).number;
            result.number = value - DayOf(value) * kMillisecondsPerDay;
            return;
        }
        default:
            result.integer = DatePart(id, Argument(instruction, 0).number);
            return;
    }
}

}  // namespace velmora::store
