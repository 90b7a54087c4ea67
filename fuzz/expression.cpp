// The expression language over any text: the first byte picks the purpose, the filter options
// and the decimal separator, the rest is the expression, parsed against the item table's
// fields. Only the parser's own messages, the conversion errors of constants and the
// compiler's code may come out. A condition that parses is compiled and evaluated over a few
// rows, and "(e) OR NOT (e)" must parse, compile and hold for every row; an aggregate is
// compiled and its terms and result evaluated.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/expression_messages.h"
#include "fuzz/fuzz_check.h"
#include "platform/errors.h"
#include "store/expression_compiler.h"
#include "store/expression_evaluator.h"
#include "store/expression_parser.h"
#include "store/expression_temporal.h"
#include "store/store_codes.h"
#include "tests/store/expression_test_fakes.h"

using namespace velmora;
using namespace velmora::store;
using namespace velmora::store::exprtest;

namespace {

std::vector<FakeRow> ItemRows() {
    std::vector<FakeRow> rows(3);
    rows[0].Int(kIdItem, 3).Text(kDescrItem, "CANETA AZUL").Dec(kQtde, 2).Dec(kPrecoIni, 1.5);
    rows[0].Dec(kValor, 3).Text(kComplDescr, "Ponta fina").Bool(kAtivo, true);
    rows[0]
        .Day(kEntrega, static_cast<int32_t>(DayNumberOf(CivilDate{2026, 12, 10})))
        .Real(kFator, 0.25)
        .Int(kInterno, 7);
    rows[1].Int(kIdItem, -4).Text(kDescrItem, "l\xE1pis 50% off_x").Dec(kQtde, 0.001);
    rows[1].Bool(kAtivo, false).Real(kFator, -1e300);
    return rows;  // the third row is all null
}

struct Input {
    ExpressionPurpose purpose;
    FilterOptions options;
    NumberSettings numbers;
    std::string_view text;
};

Input Decode(const uint8_t* data, size_t size) {
    const uint8_t choice = size > 0 ? data[0] : 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + (size > 0),
                                size - (size > 0));
    const ExpressionPurpose purposes[] = {ExpressionPurpose::Filter, ExpressionPurpose::Search,
                                          ExpressionPurpose::Aggregate};
    const NumberSettings numbers = (choice & 0x10) ? NumberSettings{',', '.'} : NumberSettings{};
    return {purposes[choice % 3], static_cast<FilterOptions>((choice >> 2) & 3), numbers, rest};
}

// A condition that compiles still does inside "(e) OR NOT (e)", which every row satisfies:
// OR and NOT look at truth values only, so a null result does not escape.
void CheckTautology(const Input& input, const FakeCatalog& catalog,
                    const std::vector<FakeRow>& rows) {
    const std::string text(input.text);
    const std::string always = "(" + text + ") OR NOT (" + text + ")";
    try {
        const ExpressionProgram program = CompileCondition(
            ParseExpression(always, catalog, input.purpose, input.options, input.numbers),
            ItemColumns());
        const LocaleTextCollation collation(1046);
        ExpressionEvaluator evaluator(program, collation);
        for (const FakeRow& row : rows) FUZZ_CHECK(evaluator.Passes(row));
    } catch (const Exception& error) {
        std::fprintf(stderr, "\"%s\": %s\n", always.c_str(), error.Message().c_str());
        FUZZ_CHECK(!"the tautology compiles");
    }
}

void EvaluateCondition(const Input& input, const FakeCatalog& catalog) {
    const std::vector<StoredColumn> columns = ItemColumns();
    const ExpressionTree tree =
        ParseExpression(input.text, catalog, input.purpose, input.options, input.numbers);
    const ExpressionProgram program = CompileCondition(tree, columns);
    const LocaleTextCollation collation(1046);
    ExpressionEvaluator evaluator(program, collation);
    const std::vector<FakeRow> rows = ItemRows();
    for (const FakeRow& row : rows) evaluator.Passes(row);
    CheckTautology(input, catalog, rows);
}

// Stand-ins for the accumulated values: counts of the non-null arguments, otherwise the last
// non-null argument (of the argument's own kind).
std::vector<Value> TermValues(const CompiledAggregate& aggregate, const std::vector<FakeRow>& rows,
                              const TextCollation& collation) {
    std::vector<Value> values;
    for (const AggregateTerm& term : aggregate.terms) {
        int64_t count = 0;
        Value last;
        if (term.kind != AggregateKind::CountStar) {
            ExpressionEvaluator argument(term.argument, collation);
            for (const FakeRow& row : rows) {
                argument.Evaluate(row);
                if (argument.Result().null) continue;
                ++count;
                last = argument.ResultValue();
            }
        } else {
            count = static_cast<int64_t>(rows.size());
        }
        const bool counts =
            term.kind == AggregateKind::Count || term.kind == AggregateKind::CountStar;
        values.push_back(counts ? Value::Integer(count) : last);
    }
    return values;
}

void EvaluateAggregate(const Input& input, const FakeCatalog& catalog) {
    const ExpressionTree tree =
        ParseExpression(input.text, catalog, input.purpose, input.options, input.numbers);
    const CompiledAggregate aggregate = CompileAggregate(tree, ItemColumns());
    const LocaleTextCollation collation(0);
    const std::vector<FakeRow> rows = ItemRows();
    const std::vector<Value> terms = TermValues(aggregate, rows, collation);
    ExpressionEvaluator result(aggregate.result, collation);
    result.Evaluate(rows.front(), terms);
    result.ResultValue();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FakeCatalog catalog;
    const Input input = Decode(data, size);
    if (input.text.empty()) return 0;  // an empty text is never parsed
    try {
        if (input.purpose == ExpressionPurpose::Aggregate)
            EvaluateAggregate(input, catalog);
        else
            EvaluateCondition(input, catalog);
    } catch (const EStoreError& error) {
        FUZZ_CHECK(error.Code() == kCodeCannotCompile);
    } catch (const EDatabaseError& error) {
        FUZZ_CHECK(fuzzing::IsParserMessage(error.Message(), catalog.TableName()));
    } catch (const EConvertError& error) {
        FUZZ_CHECK(fuzzing::IsConstantConversionMessage(error.Message()));
    }
    return 0;
}
