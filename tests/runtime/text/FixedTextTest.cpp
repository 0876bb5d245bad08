#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "runtime/text/Date.h"
#include "runtime/text/FieldRef.h"
#include "runtime/text/FixedText.h"

namespace rt {
namespace {

TEST(FixedTextTest, AssignmentCutsOrPadsByCharactersNotBytes) {
    String<5> t;
    EXPECT_EQ(t.str(), "     ");
    t = "ab";
    EXPECT_EQ(t.str(), "ab   ");
    t = "abcdefgh";
    EXPECT_EQ(t.str(), "abcde");
    t = "ÄÖÜßéx";  // six characters, eleven bytes
    EXPECT_EQ(t.str(), "ÄÖÜßé");
    EXPECT_EQ(utf8Length(t.str()), 5u);
    t = "日本";
    EXPECT_EQ(t.clipped(), "日本");
    EXPECT_EQ(utf8Length(t.str()), 5u);
}

// Copies and moves keep each text's own capacity: across capacities the
// text is cut or padded, a moved-from text is still a full, valid text.
TEST(FixedTextTest, CopiesAndMovesKeepTheTargetsCapacity) {
    String<4> narrow("ÄÖÜßé");
    FixedText wide(8, "wide");
    FixedText copy = wide;
    wide = narrow;
    EXPECT_EQ(wide.str(), "ÄÖÜß    ");
    static_cast<FixedText&>(narrow) = copy;
    EXPECT_EQ(narrow.str(), "wide");
    String<4> other("ab");
    other = std::move(narrow);
    EXPECT_EQ(other.str(), "wide");
    EXPECT_EQ(utf8Length(narrow.str()), 4u);
    FixedText longer(6);
    longer = std::move(other);
    EXPECT_EQ(longer.str(), "wide  ");
    EXPECT_EQ(other.str(), "wide");
    std::vector<String<3>> shifted{String<3>("a"), String<3>("b"), String<3>("c")};
    shifted.erase(shifted.begin());
    shifted.insert(shifted.begin(), String<3>("z"));
    EXPECT_EQ(shifted[0].str() + shifted[1].str() + shifted[2].str(), "z  b  c  ");
}

TEST(FixedTextTest, ComparisonIgnoresTrailingSpacesOnly) {
    EXPECT_EQ(compareText("abc   ", "abc"), 0);
    EXPECT_EQ(compareText("", "    "), 0);
    EXPECT_LT(compareText(" abc", "abc"), 0);
    EXPECT_GT(compareText("abd", "abc  "), 0);
    String<10> a("Key");
    String<3> b("Key");
    EXPECT_TRUE(a == b);
}

TEST(DateTest, SerialsMatchKnownDates) {
    EXPECT_EQ(dateFromParts(1, 1, 1801), 4);
    EXPECT_EQ(dateFromParts(12, 31, 1800), 0);  // before the first valid date
    EXPECT_EQ(dateFromParts(1, 1, 2000), 72687);
    EXPECT_EQ(dateDay(72687), 1);
    EXPECT_EQ(dateMonth(72687), 1);
    EXPECT_EQ(dateYear(72687), 2000);
    EXPECT_EQ(dateWeekday(dateFromParts(1, 1, 2000)), 6);   // a Saturday
    EXPECT_EQ(dateWeekday(dateFromParts(12, 7, 2026)), 1);  // a Monday
    EXPECT_EQ(dateFromParts(12, 31, 9999), kLastDate);
    EXPECT_EQ(dateFromParts(1, 1, 10000), 0);
}

TEST(DateTest, OutOfRangeMonthsAndDaysRollOver) {
    EXPECT_EQ(dateFromParts(13, 1, 2020), dateFromParts(1, 1, 2021));
    EXPECT_EQ(dateFromParts(3, 0, 2024), dateFromParts(2, 29, 2024));
    EXPECT_EQ(dateFromParts(2, 30, 2023), dateFromParts(3, 2, 2023));
    EXPECT_EQ(dateFromParts(0, 1, 2020), dateFromParts(12, 1, 2019));
}

TEST(DateTest, StoredDateRoundTripsAndZeroMeansNoDate) {
    StoredDate s = toStored(dateFromParts(2, 29, 2024));
    EXPECT_EQ(s.day, 29);
    EXPECT_EQ(s.month, 2);
    EXPECT_EQ(s.year, 2024);
    EXPECT_EQ(fromStored(s), dateFromParts(2, 29, 2024));
    EXPECT_EQ(fromStored(StoredDate{}), 0);
    EXPECT_EQ(toStored(0), StoredDate{});
}

TEST(FieldRefTest, AssignsAcrossTypesWithRuntimeConversions) {
    String<4> text;
    std::int32_t number = 0;
    std::uint8_t byte = 0;
    StoredDate date;
    FieldRef(text).set(Value(12345));
    EXPECT_EQ(text.str(), "1234");
    FieldRef(number).set(Value("  42abc"));
    EXPECT_EQ(number, 42);
    FieldRef(number).set(Value(-7.9));
    EXPECT_EQ(number, -7);
    FieldRef(byte).set(Value(257));
    EXPECT_EQ(byte, 1);
    FieldRef(date).set(Value(72687));
    EXPECT_EQ(date.year, 2000);
    EXPECT_EQ(FieldRef(date).get().number(), 72687);
    FieldRef(date).clear();
    EXPECT_EQ(date, StoredDate{});
}

TEST(FieldRefTest, ComparesTextsAsTextAndOthersAsNumbers) {
    String<5> a("10"), b("9");
    std::int32_t x = 10, y = 9;
    EXPECT_LT(FieldRef(a).compare(FieldRef(b)), 0);
    EXPECT_GT(FieldRef(x).compare(FieldRef(y)), 0);
    EXPECT_EQ(compareValues(Value("10 "), Value(10)), 0);
    EXPECT_GT(compareValues(Value("abc"), Value("ABC")), 0);
}

}  // namespace
}  // namespace rt
