#include <gtest/gtest.h>

#include <map>

#include "runtime/expr/ExprEvaluator.h"
#include "runtime/expr/ExprParser.h"

namespace rt {
namespace {

// The value of a text as the runtime prints it, or its error message.
std::string eval(std::string_view text) {
    EvalResult r = evaluate(text);
    return r.ok() ? r.value.text() : "error: " + r.error->message;
}

struct Row {
    const char* text;
    const char* value;
};

void expectRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) EXPECT_EQ(eval(row.text), row.value) << row.text;
}

TEST(ExprEvaluatorTest, ArithmeticAndConcatenation) {
    expectRows({
        {"1 + 2 * 3", "7"},
        {"(1 + 2) * 3", "9"},
        {"10 - 4 - 3", "3"},
        {"10 / 4", "2.5"},
        {"7 % 3", "1"},
        {"-7 % 3", "-1"},
        {"-2 * 3", "-6"},
        {"- -2", "2"},
        {"'3' + 4", "7"},
        {"'abc' + 1", "1"},  // text without a number counts 0
        {"'a' & 1 + 2", "a3"},
        {"1 & 2", "12"},
        {"'x' & 2.5", "x2.5"},
        {"1.5e3 / 3", "500"},
    });
}

TEST(ExprEvaluatorTest, ComparisonsGiveOneOrZeroAndIgnoreTrailingSpaces) {
    expectRows({
        {"'abc' = 'abc   '", "1"},
        {"'abc   ' <> 'abc'", "0"},
        {"' abc' = 'abc'", "0"},  // leading spaces count
        {"'abc' < 'abd'", "1"},
        {"'abc' ~= 'ABC'", "1"},  // case counts unless folded
        {"UPPER('abc') = 'ABC'", "1"},
        {"10 > 9", "1"},
        {"'10' > '9'", "0"},  // two texts compare as texts
        {"' 5 ' = 5", "1"},   // a numeric text meets a number as a number
        {"2 =< 2", "1"},
        {"3 => 4", "0"},
        {"3 ~< 4", "0"},
        {"3 ~> 4", "1"},
        {"'' = '   '", "1"},
    });
}

TEST(ExprEvaluatorTest, LogicTestsTruth) {
    expectRows({
        {"NOT 0", "1"},
        {"NOT ''", "1"},
        {"NOT '  '", "1"},
        {"NOT 'x'", "0"},
        {"~5", "0"},
        {"1 AND 0", "0"},
        {"1 AND 'a'", "1"},
        {"0 OR 'a'", "1"},
        {"0 OR ''", "0"},
        {"NOT 1 = 2", "1"},
        {"1 = 1 AND 2 = 3 OR 4 = 4", "1"},
        {"1 = 1 AND (2 = 3 OR 4 = 5)", "0"},
    });
}

TEST(ExprEvaluatorTest, TextFunctions) {
    expectRows({
        {"UPPER('äöüß')", "ÄÖÜSS"},
        {"UPPER('éà')", "ÉÀ"},
        {"upper('abc1')", "ABC1"},
        {"LOWER('ÄÖÜ Ab')", "äöü ab"},
        {"UPPER(12)", "12"},
        {"CLIP('ab  ')", "ab"},
        {"CLIP('  ab')", "  ab"},
        {"CLIP('   ')", ""},
        {"LEN('abc  ')", "5"},
        {"LEN(CLIP('abc  '))", "3"},
        {"LEN('äö')", "2"},
        {"LEN('')", "0"},
        {"LEN(1.5)", "3"},
    });
}

TEST(ExprEvaluatorTest, SubCountsCharactersAndDropsPositionsOutsideTheText) {
    expectRows({
        {"SUB('ABCDE', 2, 3)", "BCD"},
        {"SUB('ABCDE', 1, 10)", "ABCDE"},
        {"SUB('ABCDE', 5, 1)", "E"},
        {"SUB('ABCDE', 6, 1)", ""},
        {"SUB('ABCDE', 0, 2)", "A"},
        {"SUB('ABCDE', -1, 1)", "E"},
        {"SUB('ABCDE', -3, 2)", "CD"},
        {"SUB('ABCDE', -10, 7)", "AB"},
        {"SUB('ABCDE', 2, 0)", ""},
        {"SUB('ABCDE', 2, -1)", ""},
        {"SUB('ABCDE', 1e20, 1)", ""},
        {"SUB('ABCDE', -1e20, 1e20)", "ABCDE"},
        {"SUB('ABCDE', 2.9, 1.9)", "B"},  // numbers are truncated
        {"SUB('äöü', 2, 1)", "ö"},
        {"SUB('', 1, 1)", ""},
    });
}

TEST(ExprEvaluatorTest, InstringFindsPositionsByStepAndStart) {
    expectRows({
        {"INSTRING('CD', 'ABCDE')", "3"},
        {"INSTRING('CD', 'ABCDE', 1, 1)", "3"},
        {"INSTRING('X', 'ABC')", "0"},
        {"INSTRING('', 'ABC')", "0"},
        {"INSTRING('ABCD', 'ABC')", "0"},
        {"INSTRING('A', 'ABA', 1, 2)", "3"},
        {"INSTRING('B', 'ABAB', 2, 1)", "0"},  // tries positions 1 and 3
        {"INSTRING('B', 'ABAB', 2, 2)", "2"},
        {"INSTRING('A', 'ABA', -1, 3)", "3"},
        {"INSTRING('B', 'ABAB', -1, 3)", "2"},
        {"INSTRING('A', 'ABC', 0, 1)", "0"},
        {"INSTRING('A', 'ABC', 1, 10)", "0"},
        {"INSTRING('C', 'ABC', 1, -5)", "3"},  // the walk enters the text
        {"INSTRING('ü', 'äöü')", "3"},
        {"INSTRING('b', 'ABC')", "0"},
    });
}

TEST(ExprEvaluatorTest, EvaluationErrorsNameTheirPosition) {
    expectRows({
        {"PAS:Nope = 1", "error: Unknown name 'PAS:Nope' (at character 1)"},
        {"1 OR Nope", "error: Unknown name 'Nope' (at character 6)"},
        {"1 / 0", "error: Division by zero (at character 3)"},
        {"5 % (2 - 2)", "error: Modulus by zero (at character 3)"},
        {"1 = 1 AND SQL(id > 3)",
         "error: SQL(...) is for an SQL driver and cannot be evaluated here (at character 11)"},
        {"UPPER(", "error: The expression ends where a value is expected (at character 7)"},
    });
    EvalResult r = evaluate("1 / 0");
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error->position, 3u);
    EXPECT_EQ(r.value.text(), "0");
}

TEST(ExprEvaluatorTest, TreesBuiltByHandAreCheckedToo) {
    Expr deep;
    deep.kind = ExprKind::Number;
    for (int i = 0; i < 300; ++i) {
        Expr up;
        up.kind = ExprKind::Unary;
        up.unaryOp = UnaryOp::Negate;
        up.args.push_back(std::move(deep));
        deep = std::move(up);
    }
    EXPECT_FALSE(evaluate(deep).ok());
    Expr broken;
    broken.kind = ExprKind::Binary;
    EXPECT_FALSE(evaluate(broken).ok());
}

// A record image for the view texts below, resolved without the thread's
// bindings, the way a driver checks a fetched row.
class RowNames : public NameResolver {
  public:
    explicit RowNames(std::map<std::string, Value> values) {
        for (auto& [key, value] : values) names_.emplace(key, Binding(value));
    }
    const Binding* find(std::string_view key) const override {
        auto it = names_.find(std::string(key));
        return it == names_.end() ? nullptr : &it->second;
    }

  private:
    std::map<std::string, Binding> names_;
};

TEST(ExprEvaluatorTest, RangeAndFilterTextsOfAView) {
    RowNames row({{"PAS:PRIMARY_ID", Value(5)},
                  {"PAS:TITLE", Value("o'Brien bank        ")},
                  {"PAS:LOCATION", Value("https://example.org     ")}});
    const std::pair<const char*, bool> rows[] = {
        {"PAS:PRIMARY_ID = 5", true},
        {"PAS:PRIMARY_ID = 5 AND UPPER(PAS:TITLE) = UPPER('O''BRIEN BANK')", true},
        {"UPPER(PAS:TITLE) >= UPPER('a') AND UPPER(PAS:TITLE) <= UPPER('o''z')", true},
        {"UPPER(PAS:TITLE) >= 'A' AND UPPER(PAS:TITLE) <= 'M'", false},
        {"LOWER(PAS:TITLE) = LOWER('O''Brien Bank')", true},
        {"PAS:PRIMARY_ID >= 6 AND PAS:PRIMARY_ID <= 9", false},
        {"(PAS:PRIMARY_ID > 2)", true},
        {"(PAS:PRIMARY_ID > 2) AND (INSTRING('example', PAS:LOCATION, 1, 1) > 0)", true},
        {"PAS:PRIMARY_ID = 5 AND (PAS:LOCATION = 'https://example.org') AND (NOT "
         "PAS:TITLE = '')",
         true},
        {"(SUB(PAS:TITLE, 1, 1) = 'o') AND (LEN(CLIP(PAS:TITLE)) = 12)", true},
        {"PAS:PRIMARY_ID = -5", false},
    };
    for (const auto& [text, passes] : rows) {
        EvalResult r = evaluate(std::string_view(text), row);
        ASSERT_TRUE(r.ok()) << text << ": " << r.error->message;
        EXPECT_EQ(r.value.truthy(), passes) << text;
    }
}

TEST(ExprEvaluatorTest, BoundVariablesAreReadLive) {
    String<20> title("Bank");
    std::int32_t id = 1;
    BindScope scope;
    bind("PAS:Title", title);
    bind("PAS:Primary_ID", id);
    ParseResult filter = parseExpression("UPPER(pas:title) = 'BANK' AND PAS:PRIMARY_ID < 3");
    ASSERT_TRUE(filter.ok());
    EXPECT_EQ(evaluate(filter.expr).value.text(), "1");
    id = 3;
    EXPECT_EQ(evaluate(filter.expr).value.text(), "0");
    id = 2;
    title = "bank";
    EXPECT_EQ(evaluate(filter.expr).value.text(), "1");
    EXPECT_EQ(eval("LEN(PAS:Title)"), "20");  // a fixed text counts its whole size
    EXPECT_EQ(eval("LEN(CLIP(PAS:Title))"), "4");
    EXPECT_EQ(eval("PAS:Title & '|'"), "bank                |");
    EXPECT_EQ(eval("PAS:Title = 'bank'"), "1");
}

TEST(ExprEvaluatorTest, ScopesDecideWhichNamesAnExpressionSees) {
    bindValue("LOC:Limit", Value(10));
    EXPECT_EQ(eval("LOC:Limit * 2"), "20");
    {
        BindScope hidden;
        EXPECT_EQ(eval("LOC:Limit"), "error: Unknown name 'LOC:Limit' (at character 1)");
        bindValue("LOC:Limit", Value(3));
        EXPECT_EQ(eval("LOC:Limit * 2"), "6");
    }
    {
        BindScope inherited(ScopeMode::Inherit);
        EXPECT_EQ(eval("LOC:Limit * 2"), "20");
    }
    EXPECT_EQ(eval("LOC:Limit * 2"), "20");
    unbind("LOC:Limit");
    EXPECT_EQ(eval("LOC:Limit"), "error: Unknown name 'LOC:Limit' (at character 1)");
}

}  // namespace
}  // namespace rt
