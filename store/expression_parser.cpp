#include "store/expression_parser.h"

#include <algorithm>

#include "platform/errors.h"
#include "store/expression_tokenizer.h"
#include "store/expression_typing.h"

namespace velmora::store {
namespace {

std::string Capitals(std::string_view word) {
    std::string text(word);
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return text;
}

bool NextIsOpenParen(std::string_view rest) {
    const auto it = std::find_if(rest.begin(), rest.end(),
                                 [](char c) { return static_cast<unsigned char>(c) > ' '; });
    return it != rest.end() && *it == '(';
}

ExprOperator ComparisonOperator(TokenKind kind) {
    switch (kind) {
        case TokenKind::Equal:
            return ExprOperator::Equal;
        case TokenKind::NotEqual:
            return ExprOperator::NotEqual;
        case TokenKind::Less:
            return ExprOperator::Less;
        case TokenKind::Greater:
            return ExprOperator::Greater;
        case TokenKind::LessEqual:
            return ExprOperator::LessEqual;
        case TokenKind::GreaterEqual:
            return ExprOperator::GreaterEqual;
        default:
            return ExprOperator::None;
    }
}

class Parser {
public:
    Parser(std::string_view text, const ExpressionFieldCatalog& fields, ExpressionPurpose purpose,
           FilterOptions options, const NumberSettings& numbers)
        : tokens_(text, numbers.decimalSeparator),
          fields_(fields),
          purpose_(purpose),
          context_{options, numbers} {}

    ExpressionTree Parse() {
        ExpressionNodePtr root = Expression();
        if (Kind() != TokenKind::End)
            throw EDatabaseError("Filter expression incorrectly terminated");
        ExpressionTree tree;
        tree.purpose = purpose_;
        tree.root = CheckPurpose(std::move(root));
        std::sort(columns_.begin(), columns_.end());
        columns_.erase(std::unique(columns_.begin(), columns_.end()), columns_.end());
        tree.columns = std::move(columns_);
        return tree;
    }

private:
    TokenKind Kind() const { return tokens_.Current().kind; }
    bool AtWord(std::string_view word) const {
        return Kind() == TokenKind::Symbol && SameWord(tokens_.Current().text, word);
    }
    bool Extended() const { return purpose_ != ExpressionPurpose::Search; }

    [[noreturn]] void Expected(std::string_view what) const {
        throw EDatabaseError(std::string(what) + " expected but " + tokens_.Current().Described() +
                             " found");
    }
    void Expect(TokenKind kind, std::string_view what) {
        if (Kind() != kind) Expected(what);
        tokens_.Advance();
    }

    ExpressionNodePtr CheckPurpose(ExpressionNodePtr root) const {
        if (purpose_ == ExpressionPurpose::Aggregate) {
            if (root->scope != ExprScope::Aggregate)
                throw EDatabaseError("Expression is not an aggregate expression");
            return root;
        }
        root = AsCondition(std::move(root));
        if (root->scope == ExprScope::Aggregate)
            throw EDatabaseError("Aggregate expressions not allowed in filters");
        if (root->type != ftBoolean) throw EDatabaseError("Incorrectly formed filter expression");
        return root;
    }

    // Parsing recurses once per parenthesis, list or argument list, and every later pass over
    // the tree (typing, compiling, evaluating, freeing) recurses along its depth: both are
    // bounded so that no text can exhaust the stack.
    static constexpr int kMaxNesting = 256;
    static constexpr int kMaxDepth = 1024;

    [[noreturn]] static void TooDeep() { throw EDatabaseError("Expression too deeply nested"); }

    // `node` stands over operands of which the deepest is `below` levels deep (0: a leaf).
    ExpressionNodePtr Over(int below, ExpressionNodePtr node) {
        depth_ = below + 1;
        if (depth_ > kMaxDepth) TooDeep();
        return node;
    }

    ExpressionNodePtr Expression() {
        if (++nesting_ > kMaxNesting) TooDeep();
        ExpressionNodePtr node = Chain("OR", ExprOperator::Or, &Parser::Conjunction);
        --nesting_;
        return node;
    }
    ExpressionNodePtr Conjunction() { return Chain("AND", ExprOperator::And, &Parser::Negation); }

    ExpressionNodePtr Chain(std::string_view word, ExprOperator op,
                            ExpressionNodePtr (Parser::*operand)()) {
        ExpressionNodePtr left = (this->*operand)();
        while (AtWord(word)) {
            tokens_.Advance();
            const int below = depth_;
            std::vector<ExpressionNodePtr> operands;
            operands.push_back(std::move(left));
            operands.push_back((this->*operand)());
            left = Over(std::max(below, depth_), BuildLogical(op, std::move(operands)));
        }
        return left;
    }

    ExpressionNodePtr Negation() {
        if (!AtWord("NOT")) return Comparison();
        tokens_.Advance();
        std::vector<ExpressionNodePtr> operands;
        operands.push_back(Comparison());
        return Over(depth_, BuildLogical(ExprOperator::Not, std::move(operands)));
    }

    ExpressionNodePtr Comparison() {
        ExpressionNodePtr left = Sum();
        const int below = depth_;
        const TokenKind kind = Kind();
        if (const ExprOperator op = ComparisonOperator(kind); op != ExprOperator::None) {
            tokens_.Advance();
            ExpressionNodePtr right = Sum();
            return Over(std::max(below, depth_),
                        BuildComparison(op, std::move(left), std::move(right), context_));
        }
        switch (kind) {
            case TokenKind::Like: {
                tokens_.Advance();
                ExpressionNodePtr pattern = Sum();
                return Over(std::max(below, depth_),
                            BuildLike(std::move(left), std::move(pattern), context_));
            }
            case TokenKind::IsNull:
            case TokenKind::IsNotNull:
                tokens_.Advance();
                return Over(below,
                            BuildNullTest(kind == TokenKind::IsNull ? ExprOperator::IsNull
                                                                    : ExprOperator::IsNotNull,
                                          std::move(left)));
            case TokenKind::In: {
                tokens_.Advance();
                Expect(TokenKind::LParen, "'('");
                if (Kind() == TokenKind::RParen)
                    throw EDatabaseError("IN predicate list may not be empty");
                std::vector<ExpressionNodePtr> elements = List();
                return Over(std::max(below, depth_),
                            BuildIn(std::move(left), std::move(elements), context_));
            }
            default:
                return left;
        }
    }

    ExpressionNodePtr Sum() {
        ExpressionNodePtr left = Product();
        while (Kind() == TokenKind::Plus || Kind() == TokenKind::Minus) {
            const ExprOperator op =
                Kind() == TokenKind::Plus ? ExprOperator::Add : ExprOperator::Subtract;
            left = Arithmetic(op, std::move(left), &Parser::Product);
        }
        return left;
    }

    ExpressionNodePtr Product() {
        ExpressionNodePtr left = Primary();
        while (Kind() == TokenKind::Times || Kind() == TokenKind::Divide) {
            const ExprOperator op =
                Kind() == TokenKind::Times ? ExprOperator::Multiply : ExprOperator::Divide;
            left = Arithmetic(op, std::move(left), &Parser::Primary);
        }
        return left;
    }

    ExpressionNodePtr Arithmetic(ExprOperator op, ExpressionNodePtr left,
                                 ExpressionNodePtr (Parser::*operand)()) {
        if (!Extended()) throw EDatabaseError("Arithmetic in filter expressions not supported");
        const int below = depth_;  // the left operand was the last one parsed
        tokens_.Advance();
        ExpressionNodePtr right = (this->*operand)();
        return Over(std::max(below, depth_),
                    BuildArithmetic(op, std::move(left), std::move(right), context_));
    }

    // The elements up to ")", after "(" and at least one element; depth_ is the deepest one's.
    std::vector<ExpressionNodePtr> List() {
        std::vector<ExpressionNodePtr> elements;
        int deepest = 0;
        for (;;) {
            elements.push_back(Expression());
            deepest = std::max(deepest, depth_);
            if (Kind() == TokenKind::RParen) break;
            if (Kind() != TokenKind::Comma) Expected("')' or ','");
            tokens_.Advance();
        }
        tokens_.Advance();
        depth_ = deepest;
        return elements;
    }

    ExpressionNodePtr Primary() {
        const Token& token = tokens_.Current();
        switch (token.kind) {
            case TokenKind::Symbol:
                return Word();
            case TokenKind::Name:
                return FieldNamed(Take().text);
            case TokenKind::Text: {
                const uint16_t size = static_cast<uint16_t>(token.text.size());
                return Over(0, MakeConstant(Value::Text(Take().text), ftString, size));
            }
            case TokenKind::Number:
                return Over(0, MakeConstant(Value::Double(Take().number), ftFloat));
            case TokenKind::LParen: {
                tokens_.Advance();
                ExpressionNodePtr inner = Expression();
                Expect(TokenKind::RParen, "')'");
                return inner;
            }
            default:
                Expected("Expression");
        }
    }

    ExpressionNodePtr Word() {
        if (AtWord("AND") || AtWord("OR") || AtWord("NOT")) Expected("Expression");
        if (AtWord("NULL")) {
            tokens_.Advance();
            return Over(0, MakeConstant(Value(), ftUnknown));
        }
        if (AtWord("True") || AtWord("False")) {
            const bool truth = AtWord("True");
            tokens_.Advance();
            return Over(0, MakeConstant(Value::Boolean(truth), ftBoolean));
        }
        const std::string& word = tokens_.Current().text;
        if (Extended() && IsFunctionName(word) && NextIsOpenParen(tokens_.Rest()))
            return Function();
        return FieldNamed(Take().text);
    }

    ExpressionNodePtr Function() {
        std::string name = Capitals(Take().text);
        tokens_.Advance();  // "("
        if (name == "COUNT" && Kind() == TokenKind::Times) {
            tokens_.Advance();
            Expect(TokenKind::RParen, "')'");
            return Over(0, BuildFunction(std::string(kCountStar), {}));
        }
        std::vector<ExpressionNodePtr> arguments;
        if (Kind() == TokenKind::RParen)
            tokens_.Advance();
        else
            arguments = List();
        const int below = arguments.empty() ? 0 : depth_;
        return Over(below, BuildFunction(name, std::move(arguments)));
    }

    ExpressionNodePtr FieldNamed(const std::string& name) {
        const ExpressionField* field = fields_.FindField(name);
        if (field == nullptr) DatabaseError("Field '" + name + "' not found", fields_.TableName());
        CheckCategory(*field);
        auto node = std::make_unique<ExpressionNode>();
        node->kind = NodeKind::Field;
        node->name = field->name;
        node->type = field->type;
        node->size = field->size;
        node->scope = ExprScope::Record;
        node->column = field->column;
        if (purpose_ == ExpressionPurpose::Aggregate) columns_.push_back(field->column);
        return Over(0, std::move(node));
    }

    void CheckCategory(const ExpressionField& field) const {
        if (field.kind == fkData || field.kind == fkInternalCalc) return;
        if (purpose_ == ExpressionPurpose::Aggregate)
            throw EDatabaseError("Field '" + field.name +
                                 "' is not the correct type of calculated field to be used in an "
                                 "aggregate, use an internalcalc");
        throw EDatabaseError("Field '" + field.name + "' cannot be used in a filter expression");
    }

    Token Take() {
        Token token = tokens_.Current();
        tokens_.Advance();
        return token;
    }

    ExpressionTokenizer tokens_;
    const ExpressionFieldCatalog& fields_;
    ExpressionPurpose purpose_;
    TypingContext context_;
    std::vector<size_t> columns_;
    int nesting_ = 0;  // Expression() calls under way
    int depth_ = 0;    // depth of the subtree that the last parsing step returned
};

}  // namespace

ExpressionTree ParseExpression(std::string_view text, const ExpressionFieldCatalog& fields,
                               ExpressionPurpose purpose, FilterOptions options,
                               const NumberSettings& numbers) {
    return Parser(text, fields, purpose, options, numbers).Parse();
}

}  // namespace velmora::store
