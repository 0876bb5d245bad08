#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/text/FixedText.h"
#include "tests/window/IniTestFixture.h"
#include "window/INIClass.h"
#include "window/RecordQueue.h"

namespace {

using Asserts = std::vector<std::string>;

struct Row {
    rt::String<20> Name;
    std::int32_t Count = 0;
    double Ratio = 0;
    std::string Note;
};

class RowQueue : public RecordQueue<Row> {
  public:
    void add(std::string_view name, std::int32_t count) {
        Buffer = Row{};
        Buffer.Name = name;
        Buffer.Count = count;
        Add();
    }
};

class INIClassListTest : public IniTestFixture {
  protected:
    void SetUp() override {
        IniTestFixture::SetUp();
        ini_.Init(kIni);
    }
    void TearDown() override {
        ini_.Kill();
        IniTestFixture::TearDown();
    }

    void store(RowQueue& rows) {
        ini_.UpdateQueue("Lists", "Rows", rows, rows.Buffer.Name, rows.Buffer.Count);
    }
    void load(RowQueue& rows) {
        ini_.FetchQueue("Lists", "Rows", rows, rows.Buffer.Name, rows.Buffer.Count);
    }

    INIClass ini_;
};

TEST_F(INIClassListTest, ThreeRecordsOfTwoFieldsWriteACountAndNumberedEntries) {
    RowQueue rows;
    rows.add("alpha", 1);
    rows.add("beta", 22);
    rows.add("gamma", 333);
    store(rows);
    EXPECT_EQ(iniText(), "[Lists]\nRows=3\nRows_1=alpha,1\nRows_2=beta,22\nRows_3=gamma,333\n");

    // Reading appends: what the list held before stays first.
    RowQueue back;
    back.add("kept", 7);
    load(back);
    ASSERT_EQ(back.Records(), 4u);
    const std::vector<std::pair<std::string, int>> expected = {
        {"kept", 7}, {"alpha", 1}, {"beta", 22}, {"gamma", 333}};
    for (std::size_t n = 0; n < expected.size(); ++n) {
        EXPECT_EQ(back.records()[n].Name.clipped(), expected[n].first);
        EXPECT_EQ(back.records()[n].Count, expected[n].second);
    }
    EXPECT_TRUE(takeAsserts().empty());
}

TEST_F(INIClassListTest, FourFieldsOfMixedTypesRoundTrip) {
    RecordQueue<Row> rows;
    Row& b = rows.Buffer;
    b.Name = "one";
    b.Count = -5;
    b.Ratio = 2.5;
    b.Note = "free text";
    rows.Add();
    ini_.UpdateQueue("Lists", "Mixed", rows, b.Name, b.Count, b.Ratio, b.Note);
    EXPECT_EQ(ini_.TryFetch("Lists", "Mixed_1"), "one,-5,2.5,free text");

    RecordQueue<Row> back;
    Row& r = back.Buffer;
    ini_.FetchQueue("Lists", "Mixed", back, r.Name, r.Count, r.Ratio, r.Note);
    ASSERT_EQ(back.Records(), 1u);
    EXPECT_EQ(back.records()[0].Name.clipped(), "one");
    EXPECT_EQ(back.records()[0].Count, -5);
    EXPECT_EQ(back.records()[0].Ratio, 2.5);
    EXPECT_EQ(back.records()[0].Note, "free text");
}

TEST_F(INIClassListTest, EmptyAndMissingListsAreNoRecords) {
    RowQueue rows;
    store(rows);
    EXPECT_EQ(ini_.TryFetch("Lists", "Rows"), "0");
    load(rows);
    ini_.FetchQueue("Nowhere", "Rows", rows, rows.Buffer.Name);
    EXPECT_EQ(rows.Records(), 0u);
    EXPECT_TRUE(takeAsserts().empty());
}

TEST_F(INIClassListTest, RecordsThatCouldNotBeReadBackAreLeftOut) {
    RowQueue rows;
    rows.add("first", 1);
    rows.add("has,comma", 2);
    rows.Buffer = Row{};
    rows.Buffer.Name = "long";
    rows.Buffer.Note = std::string(1000, 'n');  // with the other fields: over 1000
    rows.Add();
    rows.add("last", 4);
    ini_.UpdateQueue("Lists", "Rows", rows, rows.Buffer.Name, rows.Buffer.Count, rows.Buffer.Note);
    EXPECT_EQ(takeAsserts(),
              (Asserts{"INI Assert: Entry 2 of Rows in sector Lists cannot be stored",
                       "INI Assert: Entry 3 of Rows in sector Lists cannot be stored"}));
    // The count and the numbering cover exactly what was written.
    EXPECT_EQ(iniText(), "[Lists]\nRows=2\nRows_1=first,1,\nRows_2=last,4,\n");

    RowQueue back;
    load(back);
    ASSERT_EQ(back.Records(), 2u);
    EXPECT_EQ(back.records()[1].Name.clipped(), "last");
}

TEST_F(INIClassListTest, DamagedCountsNeverInventRecords) {
    const struct {
        const char* count;
        std::size_t records;
        std::size_t asserts;
    } rows[] = {
        {"abc", 0, 0},         // not a number
        {"-3", 0, 0},          // negative
        {"", 0, 0},            // blank
        {" 2 ", 2, 0},         // blanks around it
        {"1000000000", 2, 1},  // more than stored: stops at the first missing entry
    };
    for (const auto& row : rows) {
        writeIni(std::string("[Lists]\nRows=") + row.count + "\nRows_1=a,1\nRows_2=b,2\n");
        RowQueue back;
        load(back);
        EXPECT_EQ(back.Records(), row.records) << row.count;
        EXPECT_EQ(takeAsserts().size(), row.asserts) << row.count;
    }
}

TEST_F(INIClassListTest, EntriesWithFewerFieldsThanAskedAssertAndLeaveTheFieldEmpty) {
    writeIni("[Lists]\nRows=1\nRows_1=lonely\n");
    RowQueue back;
    back.Buffer.Count = 99;
    load(back);
    ASSERT_EQ(back.Records(), 1u);
    EXPECT_EQ(back.records()[0].Name.clipped(), "lonely");
    EXPECT_EQ(back.records()[0].Count, 0);
    EXPECT_EQ(takeAsserts(),
              Asserts{"INI Assert: Field 2 not found in Rows_1 in sector Lists of .\\Lockora.INI"});
}

}  // namespace
