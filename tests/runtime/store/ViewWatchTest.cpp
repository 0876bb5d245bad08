// A view's positions as a browse keeps them: the record found again by its
// place whatever its stamp says, and a watched re-read that tells a record
// another process changed or deleted since it was listed.
#include <gtest/gtest.h>

#include "runtime/store/FileErrors.h"
#include "runtime/store/KeyedPosition.h"
#include "runtime/store/View.h"
#include "runtime/store/ViewFilter.h"
#include "tests/runtime/store/KeyedTestTable.h"
#include "tests/support/TempDir.h"

using namespace keyedtest;

namespace {

class ViewWatchTest : public ::testing::Test {
  protected:
    testsupport::TempDir dir;
    PasswordTable t;
    rt::KeyedFile file{t.def};
    rt::View view{file};

    void SetUp() override {
        ASSERT_EQ(openOrCreate(file), 0);
        for (int id = 1; id <= 5; ++id) {
            t.fill(id, "title " + std::to_string(id), "", "notes " + std::to_string(id));
            ASSERT_EQ(file.add(), 0);
        }
        ASSERT_EQ(view.setOrder("+PAS:Primary_ID"), 0);
        ASSERT_EQ(view.open(), 0);
    }

    // The position of record id as the view hands it out.
    std::string positionOf(int id) {
        view.set();
        while (view.next() == 0)
            if (t.PAS.Primary_ID == id) return view.position();
        return {};
    }

    // Another process changes the record: sets its title, or its notes
    // only, or deletes it.
    enum class Change { Title, Notes, Delete };
    void changeElsewhere(int id, Change change) {
        int code = inChild([&] {
            PasswordTable other;
            rt::KeyedStation station;
            rt::KeyedFile f(other.def, &station);
            if (f.open() != 0) return 1;
            other.PAS.Primary_ID = id;
            if (f.get(kKeyPrimary) != 0) return 2;
            if (change == Change::Delete) return f.remove() == 0 ? 0 : 3;
            if (change == Change::Title) other.PAS.Title = "changed elsewhere";
            if (change == Change::Notes) other.PAS.Notes = "new notes";
            return f.put() == 0 ? 0 : 4;
        });
        ASSERT_EQ(code, 0);
    }
};

}  // namespace

TEST_F(ViewWatchTest, AWatchedRereadOfAnUnchangedRecordSucceeds) {
    std::string pos = positionOf(3);
    ASSERT_FALSE(pos.empty());
    t.PAS.Title = "scratch";
    ASSERT_EQ(view.watch(), 0);
    EXPECT_EQ(view.reget(pos), 0);
    EXPECT_EQ(t.PAS.Title.clipped(), "title 3");
    EXPECT_EQ(t.PAS.Notes, "notes 3");
}

TEST_F(ViewWatchTest, AWatchedRereadTellsAChangeOrADeletionByAnotherProcess) {
    std::string two = positionOf(2), three = positionOf(3), four = positionOf(4);
    changeElsewhere(2, Change::Title);
    changeElsewhere(3, Change::Notes);
    changeElsewhere(4, Change::Delete);
    ASSERT_EQ(view.watch(), 0);
    EXPECT_EQ(view.reget(two), rt::ErrChangedByAnother);
    EXPECT_EQ(t.PAS.Title.clipped(), "changed elsewhere") << "the buffer holds what is stored now";
    ASSERT_EQ(view.watch(), 0);
    EXPECT_EQ(view.reget(three), rt::ErrChangedByAnother) << "a memo counts too";
    ASSERT_EQ(view.watch(), 0);
    EXPECT_EQ(view.reget(four), rt::ErrNoRecord);
    EXPECT_EQ(view.reget(two), 0) << "without a watch the re-read just reads";
}

TEST_F(ViewWatchTest, PositionsOfTheSameRecordAreTheSamePlaceWhateverItsStamp) {
    std::string before = positionOf(2);
    changeElsewhere(2, Change::Notes);
    std::string after = positionOf(2);
    EXPECT_NE(before, after) << "the stamp follows the record's contents";
    EXPECT_TRUE(rt::View::samePlace(before, after));
    EXPECT_FALSE(rt::View::samePlace(before, positionOf(3)));
    EXPECT_TRUE(rt::View::samePlace("not a position", "not a position"));
    EXPECT_FALSE(rt::View::samePlace("not a position", before));
    // A reset to a position with a stamp reads that record first.
    ASSERT_EQ(view.reset(before), 0);
    ASSERT_EQ(view.next(), 0);
    EXPECT_EQ(t.PAS.Primary_ID, 2);
}

TEST(KeyedPositionTest, TheStampRoundTripsAndTextsThatLookLikeOneDoNot) {
    rt::KeyedPosition p{
        {rt::SqlValue(std::int64_t{7}), rt::SqlValue(std::string("x;h1f;"))}, 42, 0xabcdef12345ULL};
    auto back = rt::KeyedPosition::parse(p.text());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->stamp, p.stamp);
    EXPECT_EQ(back->rowid, 42);
    EXPECT_EQ(back->values, p.values);
    p.stamp = 0;
    back = rt::KeyedPosition::parse(p.text() + "   ");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->stamp, 0u);
    EXPECT_EQ(back->values, p.values) << "a text value ending like a stamp stays a value";
    EXPECT_FALSE(rt::KeyedPosition::parse("i1;h12;h13;"));
}

TEST_F(ViewWatchTest, AFilterIsEvaluatedWholeOnTheRecordInTheBuffer) {
    t.fill(9, "Alpha");
    t.PAS.Location = "x";
    EXPECT_TRUE(rt::filterPasses(t.def, ""));
    EXPECT_TRUE(rt::filterPasses(t.def, "PAS:Primary_ID = 9 AND UPPER(PAS:Title) = 'ALPHA'"));
    EXPECT_FALSE(rt::filterPasses(t.def, "PAS:Primary_ID > 9"));
    EXPECT_FALSE(rt::filterPasses(t.def, "PAS:Primary_ID >"));
    EXPECT_TRUE(rt::filterPasses(t.def, "INSTRING('lph', PAS:Title, 1, 1) > 0"));
}
