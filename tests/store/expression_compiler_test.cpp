#include "store/expression_compiler.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "expression_test_fakes.h"
#include "platform/errors.h"
#include "store/expression_evaluator.h"
#include "store/expression_parser.h"

namespace velmora::store {
namespace {

using namespace exprtest;

ExpressionTree Parse(std::string_view text, ExpressionPurpose purpose,
                     const ExpressionFieldCatalog& catalog = FakeCatalog()) {
    return ParseExpression(text, catalog, purpose, 0, NumberSettings{});
}

struct RefusalCase {
    const char* name;
    const char* text;
    ExpressionPurpose purpose;
};

class CompilerRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(CompilerRefusalTest, RefusesWithTheStoreCode) {
    const ExpressionTree tree = Parse(GetParam().text, GetParam().purpose);
    try {
        if (GetParam().purpose == ExpressionPurpose::Aggregate)
            CompileAggregate(tree, ItemColumns());
        else
            CompileCondition(tree, ItemColumns());
        FAIL() << "compiled";
    } catch (const EStoreError& error) {
        EXPECT_EQ(error.Code(), kCodeCannotCompile);
    }
}

constexpr auto kFilter = ExpressionPurpose::Filter;
constexpr auto kAggregate = ExpressionPurpose::Aggregate;

INSTANTIATE_TEST_SUITE_P(
    Cases, CompilerRefusalTest,
    ::testing::Values(
        RefusalCase{"upper_of_number", "Upper(id_item) = 'X'", kFilter},
        RefusalCase{"year_of_text", "Year(descr_item) = 1", kFilter},
        RefusalCase{"substring_start_text", "Substring(descr_item, 'a') = 'x'", kFilter},
        RefusalCase{"too_many_arguments", "Trim(descr_item, 'a', 'b') = 'x'", kFilter},
        RefusalCase{"sum_of_text", "Sum(descr_item)", kAggregate},
        RefusalCase{"min_of_memo", "Min(compl_descr)", kAggregate},
        RefusalCase{"aggregate_of_aggregate", "Sum(Count(*))", kAggregate}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CompilerTest, RefusesAFieldWhoseColumnHoldsAnotherKind) {
    FakeCatalog catalog;
    catalog.AddField({"codigo", ftInteger, 0, fkData, kDescrItem});
    EXPECT_THROW(CompileCondition(Parse("codigo = 1", kFilter, catalog), ItemColumns()),
                 EStoreError);
}

TEST(CompilerTest, RefusesAggregatesInACondition) {
    // "Sum(qtde) > 1" is a boolean of aggregate scope: only the aggregate purpose accepts it,
    // and a condition has no aggregate values to read.
    EXPECT_THROW(CompileCondition(Parse("Sum(qtde) > 1", kAggregate), ItemColumns()), EStoreError);
}

TEST(CompilerTest, RefusesAFunctionItDoesNotKnow) {
    ExpressionTree tree = Parse("Upper(descr_item) = 'X'", kFilter);
    tree.root->operands[0]->name = "REVERSE";
    EXPECT_THROW(CompileCondition(tree, ItemColumns()), EStoreError);
}

TEST(CompilerTest, ReadsEachColumnOnce) {
    const ExpressionProgram program = CompileCondition(
        Parse("id_item = 1 or id_item = 2 or id_item = 3", kFilter), ItemColumns());
    const auto loads =
        std::count_if(program.code.begin(), program.code.end(),
                      [](const Instruction& i) { return i.code == OpCode::LoadColumn; });
    EXPECT_EQ(loads, 1);
}

// The value of a program for a row, and for the given aggregate term values.
Value ValueOf(const ExpressionProgram& program, const ExpressionRow& row,
              std::vector<Value> aggregates = {}) {
    const LocaleTextCollation collation(0);
    ExpressionEvaluator evaluator(program, collation);
    evaluator.Evaluate(row, aggregates);
    return evaluator.ResultValue();
}

TEST(CompiledAggregateTest, SomaItensSumsTheProductOfQuantityAndPrice) {
    const CompiledAggregate aggregate =
        CompileAggregate(Parse("Sum(qtde*preco_ini)", kAggregate), ItemColumns());
    ASSERT_EQ(aggregate.terms.size(), 1u);
    const AggregateTerm& sum = aggregate.terms[0];
    EXPECT_EQ(sum.kind, AggregateKind::Sum);
    EXPECT_EQ(sum.argumentType, ftFloat);
    EXPECT_EQ(aggregate.resultType, ftFloat);
    EXPECT_EQ(aggregate.resultSize, 8);

    // Quantities 2, 3, 5 with prices 1.50, null, 2.00: the arguments are 3, null and 10.
    FakeRow first, second, third;
    first.Dec(kQtde, 2).Dec(kPrecoIni, 1.5);
    second.Dec(kQtde, 3);
    third.Dec(kQtde, 5).Dec(kPrecoIni, 2);
    EXPECT_EQ(ValueOf(sum.argument, first), Value::Double(3));
    EXPECT_EQ(ValueOf(sum.argument, second), Value());
    EXPECT_EQ(ValueOf(sum.argument, third), Value::Double(10));

    EXPECT_EQ(ValueOf(aggregate.result, FakeRow(), {Value::Double(13)}), Value::Double(13));
    EXPECT_EQ(ValueOf(aggregate.result, FakeRow(), {Value()}), Value());
}

TEST(CompiledAggregateTest, FixedPointArgumentStaysExact) {
    const CompiledAggregate aggregate =
        CompileAggregate(Parse("Max(preco_ini)", kAggregate), ItemColumns());
    ASSERT_EQ(aggregate.terms.size(), 1u);
    EXPECT_EQ(aggregate.terms[0].kind, AggregateKind::Max);
    EXPECT_EQ(aggregate.resultType, ftBCD);
    EXPECT_EQ(aggregate.resultSize, kBcdStoredSize);
    FakeRow row;
    row.Dec(kPrecoIni, 1234567.8915);
    EXPECT_EQ(ValueOf(aggregate.terms[0].argument, row), Value::Fixed(FixedPoint{12345678915}));
    EXPECT_EQ(ValueOf(aggregate.result, row, {Value::Fixed(FixedPoint{20000})}),
              Value::Fixed(FixedPoint{20000}));
}

TEST(CompiledAggregateTest, TermsCombineInTheResultProgram) {
    const CompiledAggregate aggregate =
        CompileAggregate(Parse("Sum(valor) / Count(*) + Count(qtde)", kAggregate), ItemColumns());
    ASSERT_EQ(aggregate.terms.size(), 3u);
    EXPECT_EQ(aggregate.terms[0].kind, AggregateKind::Sum);
    EXPECT_EQ(aggregate.terms[1].kind, AggregateKind::CountStar);
    EXPECT_TRUE(aggregate.terms[1].argument.code.empty());
    EXPECT_EQ(aggregate.terms[2].kind, AggregateKind::Count);
    EXPECT_EQ(aggregate.terms[2].resultType, ftInteger);
    const std::vector<Value> values = {Value::Fixed(FixedPoint{130000}), Value::Integer(4),
                                       Value::Integer(1)};
    EXPECT_EQ(ValueOf(aggregate.result, FakeRow(), values), Value::Double(4.25));
}

}  // namespace
}  // namespace velmora::store
