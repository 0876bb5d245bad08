#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "util/CsvLine.h"
#include "util/CsvReader.h"

namespace {

using Problem = CsvRecord::Problem;

struct Row {
    std::vector<std::string> values;
    long line;
    Problem problem = Problem::None;
};

std::vector<Row> readAll(const std::string& text, CsvLimits limits = {}) {
    std::istringstream in(text);
    CsvReader reader(in, limits);
    std::vector<Row> rows;
    CsvRecord record;
    while (reader.next(record)) rows.push_back({record.values, record.line, record.problem});
    EXPECT_FALSE(reader.failed());
    return rows;
}

struct Case {
    const char* name;
    std::string text;
    std::vector<Row> rows;
};

// Each input and every record it must give, with its first line and problem.
const std::vector<Case> kCases = {
    {"plain", "a,b,c\n1,2,3\n", {{{"a", "b", "c"}, 1}, {{"1", "2", "3"}, 2}}},
    {"no line end at the end", "a,b", {{{"a", "b"}, 1}}},
    {"CRLF line ends", "a,b\r\nc,d\r\n", {{{"a", "b"}, 1}, {{"c", "d"}, 2}}},
    {"byte-order mark", "\xEF\xBB\xBFTitle,x\n", {{{"Title", "x"}, 1}}},
    {"a mark later is text", "a\n\xEF\xBB\xBF\n", {{{"a"}, 1}, {{"\xEF\xBB\xBF"}, 2}}},
    {"empty values", ",,\n", {{{"", "", ""}, 1}}},
    {"empty lines are no records", "\n\r\na\n\n\nb\n\n", {{{"a"}, 3}, {{"b"}, 6}}},
    {"quoted comma and quote", "\"a,b\",\"say \"\"hi\"\"\"\n", {{{"a,b", "say \"hi\""}, 1}}},
    {"quoted line ends are kept and counted",
     "\"x\ny\",\"p\r\nq\"\nnext\n",
     {{{"x\ny", "p\r\nq"}, 1}, {{"next"}, 4}}},
    {"empty quoted value", "\"\",\"\"\"\"\n", {{{"", "\""}, 1}}},
    {"lone CR inside a plain value is text", "a\rb,c\n", {{{"a\rb", "c"}, 1}}},
    {"lone CR at the very end ends the line", "a\r", {{{"a"}, 1}}},
    {"unclosed quote runs to the end",
     "ok\n\"never\nclosed,still\n",
     {{{"ok"}, 1}, {{"never\nclosed,still\n"}, 2, Problem::UnclosedQuote}}},
    {"text after a closing quote", "\"ab\"cd,e\n", {{{"abcd", "e"}, 1, Problem::TextAfterQuote}}},
    {"quote inside a plain value", "ab\"c,d\n", {{{"ab\"c", "d"}, 1, Problem::QuoteInValue}}},
    {"invalid UTF-8 is named, the next row is not",
     "a,\xC3\x28\nb,\xC3\xA9\n",
     {{{"a", "\xC3\x28"}, 1, Problem::InvalidUtf8}, {{"b", "\xC3\xA9"}, 2}}},
};

TEST(CsvReaderTest, ReadsEveryCaseAsWritten) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        std::vector<Row> rows = readAll(c.text);
        ASSERT_EQ(rows.size(), c.rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].values, c.rows[i].values) << "row " << i;
            EXPECT_EQ(rows[i].line, c.rows[i].line) << "row " << i;
            EXPECT_EQ(rows[i].problem, c.rows[i].problem) << "row " << i;
        }
    }
}

TEST(CsvReaderTest, Utf8ValidityFollowsTheStandard) {
    struct Text {
        std::string bytes;
        bool valid;
    };
    const Text texts[] = {
        {"", true},
        {"plain ASCII", true},
        {"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x94\x91", true},  // é € and a 4-byte key
        {"\xF4\x8F\xBF\xBF", true},                      // U+10FFFF
        {"\xC0\xAF", false},                             // overlong '/'
        {"\xE0\x80\xAF", false},                         // overlong, 3 bytes
        {"\xED\xA0\x80", false},                         // a surrogate
        {"\xF4\x90\x80\x80", false},                     // past U+10FFFF
        {"\xE2\x82", false},                             // cut short
        {"\x80", false},                                 // a lone continuation
        {"\xFF", false},
    };
    for (const Text& t : texts)
        EXPECT_EQ(utf8Valid(t.bytes), t.valid) << testing::PrintToString(t.bytes);
}

TEST(CsvReaderTest, ATooLongRowKeepsNothingAndTheNextRowIsRead) {
    const std::string big(5000, 'x');
    std::vector<Row> rows = readAll("a,\"" + big + "\n" + big + "\"\nb,c\n", {1000, 16});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].problem, Problem::TooLong);
    EXPECT_TRUE(rows[0].values.empty());
    EXPECT_EQ(rows[1].values, (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(rows[1].line, 3) << "the quoted line end still counts";
}

TEST(CsvReaderTest, ColumnsPastTheLimitAreCountedNotKept) {
    std::string row = "v";
    for (int i = 1; i < 10000; ++i) row += ",v";
    std::istringstream in(row + "\nlast\n");
    CsvReader reader(in, {1 << 20, 16});
    CsvRecord record;
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record.columns, 10000u);
    EXPECT_EQ(record.values.size(), 16u);
    EXPECT_EQ(record.problem, Problem::TooManyColumns);
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record.values, std::vector<std::string>{"last"});
    EXPECT_EQ(record.line, 2);
    EXPECT_FALSE(reader.next(record));
}

// A quoted line end and a CRLF that straddle the reader's buffer.
TEST(CsvReaderTest, ValuesAcrossBufferBoundariesAreWhole) {
    for (std::size_t pad : {65534u, 65535u, 65536u}) {
        const std::string head(pad, 'h');
        std::vector<Row> rows = readAll(head + "\r\n\"a\r\nb\",\"\"\"\"\r\n");
        ASSERT_EQ(rows.size(), 2u) << pad;
        EXPECT_EQ(rows[0].values, std::vector<std::string>{head});
        EXPECT_EQ(rows[1].values, (std::vector<std::string>{"a\r\nb", "\""}));
        EXPECT_EQ(rows[1].line, 2);
    }
}

TEST(CsvReaderTest, WrittenLinesReadBackToTheSameValues) {
    const std::vector<std::string> values = {
        "",           "plain",          "com,ma",   "\"quoted\"",
        "two\nlines", "crlf\r\ninside", " spaced ", "\xC3\xA9t\xC3\xA9"};
    std::string text;
    appendCsvLine(text, {values.begin(), values.end()});
    appendCsvLine(text, {"second"});
    EXPECT_EQ(text.substr(0, 12), "\"\",\"plain\",\"");
    EXPECT_EQ(text.substr(text.size() - 10), "\"second\"\r\n");
    std::vector<Row> rows = readAll(text);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].values, values);
    EXPECT_EQ(rows[0].problem, Problem::None);
    EXPECT_EQ(rows[1].line, 4) << "two line ends inside the first record";
}

}  // namespace
