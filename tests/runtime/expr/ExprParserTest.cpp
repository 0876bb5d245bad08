#include <gtest/gtest.h>

#include <random>
#include <string>

#include "runtime/expr/ExprParser.h"

namespace rt {
namespace {

// The fully parenthesised shape of a text, or its error message.
std::string shape(std::string_view text) {
    ParseResult r = parseExpression(text);
    return r.ok() ? formatExpr(r.expr) : "error: " + r.error->message;
}

struct Row {
    const char* text;
    const char* shape;
};

TEST(ExprParserTest, PrecedenceAndAssociativity) {
    const Row rows[] = {
        {"1 + 2 * 3", "(1 + (2 * 3))"},
        {"1 * 2 + 3", "((1 * 2) + 3)"},
        {"1 - 2 - 3", "((1 - 2) - 3)"},
        {"8 / 4 / 2", "((8 / 4) / 2)"},
        {"7 % 3 * 2", "((7 % 3) * 2)"},
        {"(1 + 2) * 3", "((1 + 2) * 3)"},
        {"'a' & 1 + 2", "('a' & (1 + 2))"},
        {"'a' & 'b' = 'ab'", "(('a' & 'b') = 'ab')"},
        {"a = 1 AND b = 2 OR c = 3", "(((a = 1) AND (b = 2)) OR (c = 3))"},
        {"a OR b AND c", "(a OR (b AND c))"},
        {"a or b and not c", "(a OR (b AND (NOT c)))"},
        {"NOT a = b", "(NOT (a = b))"},
        {"~a AND b", "((NOT a) AND b)"},
        {"NOT NOT a", "(NOT (NOT a))"},
        {"a = NOT b", "(a = (NOT b))"},
        {"-2 * 3", "((-2) * 3)"},
        {"- -2", "(-(-2))"},
        {"-a & b", "((-a) & b)"},
        {"+5", "5"},
        {"1 < 2 = 1", "((1 < 2) = 1)"},
        {"UPPER(PAS:TITLE) >= 'A' AND UPPER(PAS:TITLE) <= 'M'",
         "((UPPER(PAS:TITLE) >= 'A') AND (UPPER(PAS:TITLE) <= 'M'))"},
    };
    for (const Row& row : rows) EXPECT_EQ(shape(row.text), row.shape) << row.text;
}

TEST(ExprParserTest, EveryComparisonSpelling) {
    const Row rows[] = {
        {"a = b", "(a = b)"},   {"a <> b", "(a <> b)"}, {"a ~= b", "(a <> b)"},
        {"a < b", "(a < b)"},   {"a > b", "(a > b)"},   {"a <= b", "(a <= b)"},
        {"a =< b", "(a <= b)"}, {"a >= b", "(a >= b)"}, {"a => b", "(a >= b)"},
        {"a ~< b", "(a >= b)"}, {"a ~> b", "(a <= b)"}, {"a<>b", "(a <> b)"},
    };
    for (const Row& row : rows) EXPECT_EQ(shape(row.text), row.shape) << row.text;
}

TEST(ExprParserTest, LiteralsNamesAndCalls) {
    const Row rows[] = {
        {"'it''s'", "'it''s'"},
        {"''''", "''''"},
        {"''", "''"},
        {"12", "12"},
        {"12.5", "12.5"},
        {".5", "0.5"},
        {"1.5e3", "1500"},
        {"2E-2", "0.02"},
        {"PAS:Title", "PAS:Title"},
        {"BRW1::Sort_Header", "BRW1::Sort_Header"},
        {"_x", "_x"},
        {"upper(x)", "UPPER(x)"},
        {"Sub(x, 1, 2)", "SUB(x, 1, 2)"},
        {"INSTRING('a', x)", "INSTRING('a', x)"},
        {"INSTRING('a', x, 1, 2)", "INSTRING('a', x, 1, 2)"},
        {"LEN(CLIP(LOWER(x)))", "LEN(CLIP(LOWER(x)))"},
        {"SQL(title LIKE 'a(%' AND (id > 3))", "SQL(title LIKE 'a(%' AND (id > 3))"},
        {"sql( x )", "SQL(x)"},
        {"SQL", "SQL"},
        {"SQL = 1", "(SQL = 1)"},
    };
    for (const Row& row : rows) EXPECT_EQ(shape(row.text), row.shape) << row.text;
}

TEST(ExprParserTest, NodesCarryWhatADriverNeeds) {
    ParseResult r = parseExpression("UPPER(pas:Title) <> 'O''Brien' OR SQL(a = 1)");
    ASSERT_TRUE(r.ok());
    const Expr& orNode = r.expr;
    EXPECT_EQ(orNode.kind, ExprKind::Binary);
    EXPECT_EQ(orNode.binaryOp, BinaryOp::Or);
    const Expr& ne = orNode.args[0];
    EXPECT_EQ(ne.binaryOp, BinaryOp::NotEqual);
    EXPECT_EQ(ne.position, 18u);
    const Expr& call = ne.args[0];
    EXPECT_EQ(call.kind, ExprKind::Call);
    EXPECT_EQ(call.function, Function::Upper);
    ASSERT_EQ(call.args.size(), 1u);
    EXPECT_EQ(call.args[0].kind, ExprKind::Name);
    EXPECT_EQ(call.args[0].text, "pas:Title");
    EXPECT_EQ(call.args[0].key, "PAS:TITLE");
    EXPECT_EQ(ne.args[1].kind, ExprKind::Text);
    EXPECT_EQ(ne.args[1].text, "O'Brien");
    EXPECT_EQ(orNode.args[1].kind, ExprKind::Sql);
    EXPECT_EQ(orNode.args[1].text, "a = 1");
    EXPECT_EQ(r.expr.height, 4);
}

TEST(ExprParserTest, CanonicalTextParsesBackToTheSameTree) {
    const char* texts[] = {
        "NOT a = -b & 'x''y' OR c * (d + 1.25) % 3 <= SUB(e, -1, 2)",
        "a = NOT b AND ~(c > 1e20)",
        "INSTRING(CLIP(a), UPPER(b), 1, 1) > 0",
    };
    for (const char* text : texts) {
        std::string once = shape(text);
        ASSERT_EQ(once.rfind("error", 0), std::string::npos) << once;
        EXPECT_EQ(shape(once), once) << text;
    }
}

struct ErrorRow {
    std::string text;
    std::size_t position;
    const char* message;
};

TEST(ExprParserTest, MalformedTextsAnswerAPositionedMessage) {
    const ErrorRow rows[] = {
        {"", 1, "The expression is empty (at character 1)"},
        {"  \t ", 1, "The expression is empty (at character 1)"},
        {"(1 + 2", 1,
         "Unbalanced parentheses: '(' is not closed before the end of the text (at character 1)"},
        {"((a)", 1, "Unbalanced parentheses: '(' is not closed before the end of the text"},
        {"1 + 2)", 6, "Unbalanced parentheses: ')' has no matching '(' (at character 6)"},
        {")", 1, "Unbalanced parentheses: ')' has no matching '('"},
        {"UPPER('a'", 6, "Unbalanced parentheses: '(' of UPPER is not closed (at character 6)"},
        {"SQL(a = (1)", 4, "Unbalanced parentheses: SQL( has no closing ')' (at character 4)"},
        {"FOO(1)", 1, "Unknown function 'FOO' (at character 1)"},
        {"a = Clipx(b)", 5, "Unknown function 'Clipx' (at character 5)"},
        {"1 2", 3, "Unexpected number 2 (at character 3)"},
        {"a b", 3, "Unexpected name 'b' (at character 3)"},
        {"a = = b", 5, "Unexpected '=' (at character 5)"},
        {"a, b", 2, "Unexpected ',' (at character 2)"},
        {"1 +", 4, "The expression ends where a value is expected (at character 4)"},
        {"NOT", 4, "The expression ends where a value is expected"},
        {"'abc", 1, "Unterminated string (at character 1)"},
        {"a = 'it''s", 5, "Unterminated string (at character 5)"},
        {"UPPER()", 1, "UPPER takes 1 argument, not 0 (at character 1)"},
        {"LEN('a', 'b')", 1, "LEN takes 1 argument, not 2"},
        {"SUB('a', 1)", 1, "SUB takes 3 arguments, not 2"},
        {"INSTRING('a')", 1, "INSTRING takes 2 to 4 arguments, not 1"},
        {"INSTRING('a', 'b', 1, 1, 1)", 1, "INSTRING takes 2 to 4 arguments, not 5"},
        {"UPPER('a' 'b')", 11,
         "Expected ',' or ')' in the arguments of UPPER, found string 'b' (at character 11)"},
        {"UPPER('a',)", 11, "Missing argument of UPPER before ')' (at character 11)"},
        {"SUB('a',,1)", 9, "Missing argument of SUB before ','"},
        {"LEN(,)", 5, "Unexpected ','"},
        {"12abc", 1, "Malformed number '12abc' (at character 1)"},
        {"1.2.3", 1, "Malformed number '1.2.3'"},
        {"1e999", 1, "Number '1e999' is too large"},
        {"a # b", 3, "Unexpected character '#' (at character 3)"},
        {"a = \"b\"", 5, "Unexpected character '\"'"},
        {std::string("\x01\xff", 2), 1, "Unexpected byte 0x01 (at character 1)"},
        {std::string("a\0b", 3), 2, "Unexpected byte 0x00 (at character 2)"},
        {"'äöü' # 1", 7, "Unexpected character '#' (at character 7)"},
    };
    for (const ErrorRow& row : rows) {
        ParseResult r = parseExpression(row.text);
        ASSERT_FALSE(r.ok()) << row.text;
        EXPECT_EQ(r.error->position, row.position) << row.text;
        EXPECT_NE(r.error->message.find(row.message), std::string::npos)
            << row.text << " -> " << r.error->message;
    }
}

TEST(ExprParserTest, OverlongTextIsRefusedWhole) {
    std::string text = "1" + std::string(kMaxExprLength, ' ');
    ParseResult r = parseExpression(text);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error->message.find("too long"), std::string::npos);
    EXPECT_TRUE(parseExpression(text.substr(0, kMaxExprLength)).ok());
}

TEST(ExprParserTest, NestingIsBoundedWithoutExhaustingTheStack) {
    auto repeat = [](std::string_view s, int n) {
        std::string out;
        for (int i = 0; i < n; ++i) out += s;
        return out;
    };
    const std::string deep[] = {
        repeat("(", 20000) + "1" + repeat(")", 20000),
        repeat("NOT ", 5000) + "1",
        repeat("-", 5000) + "1",
        repeat("UPPER(", 5000) + "'a'" + repeat(")", 5000),
        "1" + repeat(" + 1", 5000),
        "a" + repeat(" AND a", 5000),
    };
    for (const std::string& text : deep) {
        ParseResult r = parseExpression(text);
        ASSERT_FALSE(r.ok()) << text.substr(0, 20);
        EXPECT_NE(r.error->message.find("nested more than 200 levels deep"), std::string::npos)
            << r.error->message;
    }
    // The limit counts levels of the tree: 199 chained additions make 200.
    ParseResult fits = parseExpression("1" + repeat("+1", 199));
    ASSERT_TRUE(fits.ok());
    EXPECT_EQ(fits.expr.height, kMaxExprDepth);
    EXPECT_FALSE(parseExpression("1" + repeat("+1", 200)).ok());
    EXPECT_TRUE(parseExpression(repeat("(", 150) + "1" + repeat(")", 150)).ok());
}

// Random bytes and random soups of tokens: every text answers either a tree
// within the depth bound or an error positioned inside the text.
TEST(ExprParserTest, ArbitraryInputNeverCrashes) {
    std::mt19937 rng(20261207);
    const char* pieces[] = {"(",    ")",         "'", "''",       ",",     "a",    "PAS:X",  "1",
                            ".5e",  "+",         "-", "*",        "/",     "%",    "&",      "=",
                            "<",    ">",         "~", "NOT ",     " AND ", " OR ", "UPPER(", "SUB(",
                            "SQL(", "INSTRING(", " ", "\xc3\xa4", "\0",    "\xff"};
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        int n = static_cast<int>(rng() % 40);
        for (int j = 0; j < n; ++j) {
            if (i % 2)
                text += static_cast<char>(rng() % 256);
            else
                text += pieces[rng() % std::size(pieces)];
        }
        ParseResult r = parseExpression(text);
        if (r.ok()) {
            EXPECT_LE(r.expr.height, kMaxExprDepth);
        } else {
            EXPECT_GE(r.error->position, 1u);
            EXPECT_LE(r.error->position, text.size() + 1);
            EXPECT_FALSE(r.error->message.empty());
        }
        OrderResult o = parseOrder(text);
        if (!o.ok()) {
            EXPECT_LE(o.error->position, text.size() + 1);
        }
    }
}

TEST(ExprParserTest, OrderTextsGiveSignedTerms) {
    OrderResult r = parseOrder("+UPPER(PAS:TITLE),-PAS:LOCATION,+PAS:PRIMARY_ID");
    ASSERT_TRUE(r.ok()) << r.error->message;
    ASSERT_EQ(r.terms.size(), 3u);
    EXPECT_TRUE(r.terms[0].ascending);
    EXPECT_EQ(formatExpr(r.terms[0].expr), "UPPER(PAS:TITLE)");
    EXPECT_FALSE(r.terms[1].ascending);
    EXPECT_EQ(r.terms[1].expr.kind, ExprKind::Name);
    EXPECT_EQ(r.terms[1].expr.key, "PAS:LOCATION");
    EXPECT_TRUE(r.terms[2].ascending);
    EXPECT_EQ(r.terms[2].expr.key, "PAS:PRIMARY_ID");

    OrderResult plain = parseOrder(" pas:title , - SUB(PAS:Location, 1, 3) ");
    ASSERT_TRUE(plain.ok());
    ASSERT_EQ(plain.terms.size(), 2u);
    EXPECT_TRUE(plain.terms[0].ascending);  // no sign: ascending
    EXPECT_FALSE(plain.terms[1].ascending);
    EXPECT_EQ(formatExpr(plain.terms[1].expr), "SUB(PAS:Location, 1, 3)");

    for (const char* blank : {"", "   "}) {
        OrderResult none = parseOrder(blank);
        EXPECT_TRUE(none.ok());
        EXPECT_TRUE(none.terms.empty());
    }
}

TEST(ExprParserTest, MalformedOrderTextsAnswerAPositionedMessage) {
    const ErrorRow rows[] = {
        {"PAS:A,,PAS:B", 7, "The order has an empty term (at character 7)"},
        {"PAS:A,", 7, "The order has an empty term (at character 7)"},
        {",PAS:A", 1, "The order has an empty term"},
        {"+", 2, "The order has an empty term"},
        {"-PAS:A,+", 9, "The order has an empty term"},
        {"+UPPER(PAS:A", 7, "Unbalanced parentheses: '(' of UPPER is not closed"},
        {"PAS:A PAS:B", 7, "Unexpected name 'PAS:B'"},
        {"PAS:A)", 6, "Unbalanced parentheses: ')' has no matching '('"},
        {"+LOWR(PAS:A)", 2, "Unknown function 'LOWR'"},
    };
    for (const ErrorRow& row : rows) {
        OrderResult r = parseOrder(row.text);
        ASSERT_FALSE(r.ok()) << row.text;
        EXPECT_TRUE(r.terms.empty());
        EXPECT_EQ(r.error->position, row.position) << row.text;
        EXPECT_NE(r.error->message.find(row.message), std::string::npos)
            << row.text << " -> " << r.error->message;
    }
}

}  // namespace
}  // namespace rt
