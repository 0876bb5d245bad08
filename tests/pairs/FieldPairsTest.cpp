#include <gtest/gtest.h>

#include "runtime/host/Assert.h"
#include "pairs/BufferedPairsClass.h"
#include "pairs/FieldPairsClass.h"

namespace {

struct Record {
    rt::String<10> title;
    std::int32_t id = 0;
    rt::StoredDate date;
};

TEST(FieldPairsTest, CopiesClearsAndComparesEverySetOfPairsAcrossTypes) {
    Record a, b;
    std::int32_t serial = 0;
    FieldPairsClass pairs;
    pairs.Init();
    EXPECT_TRUE(pairs.EqualLeftRight()) << "an empty list is equal";
    pairs.AddPair(a.title, b.title);
    pairs.AddPair(a.id, b.id);
    pairs.AddPair(a.date, serial);  // a stored date pairs with a day serial
    a.title = "Bank";
    a.id = 7;
    a.date = rt::toStored(72687);
    EXPECT_FALSE(pairs.Equal());
    pairs.AssignLeftToRight();
    EXPECT_EQ(b.title.clipped(), "Bank");
    EXPECT_EQ(b.id, 7);
    EXPECT_EQ(serial, 72687);
    EXPECT_TRUE(pairs.EqualLeftRight());
    b.title = "bank";
    EXPECT_FALSE(pairs.EqualLeftRight()) << "comparison between pairs is exact";
    pairs.ClearLeft();
    EXPECT_TRUE(a.title.blank());
    EXPECT_EQ(a.id, 0);
    EXPECT_EQ(a.date, rt::StoredDate{});
    pairs.AssignRightToLeft();
    EXPECT_EQ(a.title.clipped(), "bank");
    pairs.ClearRight();
    EXPECT_EQ(b.id, 0);
}

TEST(FieldPairsTest, AddPairBeforeInitOrAfterKillIsAnAssertion) {
    int asserted = 0;
    auto old =
        rt::setAssertHandler([&](const std::string&, const std::string&, int) { ++asserted; });
    Record a, b;
    FieldPairsClass plain;
    plain.AddPair(a.id, b.id);
    BufferedPairsClass buffered;
    buffered.AddPair(a.id, b.id);
    buffered.Init();
    buffered.Kill();
    buffered.AddPair(a.id, b.id);
    rt::setAssertHandler(old);
    EXPECT_EQ(asserted, 3);
    EXPECT_EQ(plain.List(), nullptr);
}

TEST(BufferedPairsTest, BufferStartsClearedAndRemembersValues) {
    Record left, right;
    BufferedPairsClass pairs;
    pairs.Init();
    EXPECT_TRUE(pairs.EqualLeftBuffer());
    EXPECT_TRUE(pairs.EqualRightBuffer(true));
    right.title = "abc";
    pairs.AddPair(left.title, right.title);
    pairs.AddPair(left.id, right.id);
    EXPECT_EQ(right.title.clipped(), "abc") << "adding a pair leaves right unchanged";
    EXPECT_FALSE(pairs.EqualRightBuffer()) << "the buffer holds the cleared value";
    pairs.AssignRightToBuffer();
    EXPECT_TRUE(pairs.EqualRightBuffer());
    right.title = "ABC";
    EXPECT_TRUE(pairs.EqualRightBuffer()) << "upper-case comparison by default";
    EXPECT_FALSE(pairs.EqualRightBuffer(true)) << "exact with the flag set";
    right.id = 5;
    EXPECT_FALSE(pairs.EqualRightBuffer());
    pairs.AssignBufferToLeft();
    EXPECT_EQ(left.title.clipped(), "abc");
    EXPECT_TRUE(pairs.EqualLeftBuffer(true));
    pairs.AssignRightToBuffer();
    pairs.AssignBufferToLeft();
    EXPECT_EQ(left.id, 5);
    left.id = 9;
    pairs.AssignLeftToBuffer();
    pairs.AssignBufferToRight();
    EXPECT_EQ(right.id, 9);
}

TEST(BufferedPairsTest, UpperCaseComparisonFoldsNonAsciiLetters) {
    rt::String<10> left, right;
    BufferedPairsClass pairs;
    pairs.Init();
    pairs.AddPair(left, right);
    right = "éclair öl";
    pairs.AssignRightToBuffer();
    right = "ÉCLAIR ÖL";
    EXPECT_TRUE(pairs.EqualRightBuffer());
    right = "Éclair Öl";
    EXPECT_TRUE(pairs.EqualRightBuffer());
    EXPECT_FALSE(pairs.EqualRightBuffer(true));
}

}  // namespace
