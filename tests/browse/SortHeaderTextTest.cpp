// The header sort without clicks: order terms by picture and case, the sort
// as text and back (damaged texts included), keeping it in a settings file
// or the registry stand-in, and a queue sorted and searched in memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>

#include "browse/SortHeaderStorage.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Registry.h"
#include "runtime/host/SettingsFile.h"
#include "runtime/store/View.h"
#include "runtime/text/TextCase.h"
#include "tests/browse/SortHeaderFixture.h"

using namespace browsetest;

namespace {

struct Row {
    rt::String<20> Title;
    std::int32_t Id = 0;
    std::int32_t Group = 0;
};

class MemoryHeader : public SortHeaderClassType {
  public:
    void QueueResorted(const std::string& order) override { orders.push_back(order); }
    std::vector<std::string> orders;
};

constexpr const char* kFormat = "80L(2)|M~Title~@s20@40R(2)|M~Id~@n6@30R(2)|M~Group~@n4@";

rt::WindowDeclaration listWindow() {
    rt::WindowDeclaration d;
    d.caption = "Sorted";
    d.width = 200;
    d.height = 120;
    d.controls = {rt::control(rt::ControlKind::List, "Rows")
                      .at(4, 4, 190, 100)
                      .listFormat(kFormat)
                      .with(rt::FlagVScroll)};
    return d;
}

// Titles in mixed case, some equal once folded, groups with ties.
const char* const kTitles[] = {"delta", "Alpha", "charlie", "alpha", "Bravo", "écho",
                               "Écho",  "bravo", "Zulu",    "",      "Delta", "ALPHA"};

}  // namespace

class SortHeaderTextTest : public SortHeaderTest {
  protected:
    void SetUp() override {
        SortHeaderTest::SetUp();
        window = std::make_unique<rt::Window>(listWindow());
        view = std::make_unique<rt::View>(*table->file);
        int id = 1;
        for (const char* title : kTitles) {
            queue.Buffer.Title = title;
            queue.Buffer.Id = id;
            queue.Buffer.Group = (id * 5) % 3;
            queue.Add();
            ++id;
        }
        window->setListRowsSource(1, [this] { return queue.Rows(); });
    }

    // withView: the item view with its case-folded title key.
    void init(bool withView, const std::string& place = {}, const std::string& section = {}) {
        header.Init(*window, queue, 1, place, section, withView ? view.get() : nullptr,
                    withView ? table->key(2) : nullptr);
    }

    std::vector<std::string> headers() const {
        return {window->property(1, rt::Prop::HeaderText, 1).text(),
                window->property(1, rt::Prop::HeaderText, 2).text(),
                window->property(1, rt::Prop::HeaderText, 3).text()};
    }

    std::vector<int> queueIds() const {
        std::vector<int> ids;
        for (const Row& r : queue.records()) ids.push_back(r.Id);
        return ids;
    }

    std::unique_ptr<rt::Window> window;
    std::unique_ptr<rt::View> view;
    RecordPageQueue<Row> queue{{"TST:Title", "TST:Id", "TST:Group"},
                               [](const Row& r) {
                                   return PageQueue::Row{rt::Value(r.Title.clipped()),
                                                         rt::Value(r.Id), rt::Value(r.Group)};
                               },
                               [](Row& r) {
                                   return std::vector<rt::FieldRef>{r.Title, r.Id, r.Group};
                               }};
    MemoryHeader header;
};

TEST_F(SortHeaderTextTest, ATermFoldsTextColumnsOnlyAndFollowsThePictureWhenAsked) {
    init(false);
    struct Case {
        bool noCase, byPicture;
        const char* picture;
        const char* expected;
    };
    const Case cases[] = {
        {true, false, "@s20", "+UPPER(A:B)"}, {true, false, "", "+UPPER(A:B)"},
        {true, false, "@n6", "+A:B"},         {true, false, "@N-12.2", "+A:B"},
        {true, false, "@t4", "+A:B"},         {true, false, "@D17", "+A:B"},
        {true, false, "@e12", "+A:B"},        {true, false, "@p##p", "+UPPER(A:B)"},
        {false, false, "@s20", "+A:B"},       {false, true, "@S20", "+UPPER(A:B)"},
        {false, true, "@s20", "+UPPER(A:B)"}, {false, true, "@p##p", "+A:B"},
        {false, true, "", "+UPPER(A:B)"},
    };
    for (const Case& c : cases) {
        header.NoCase = c.noCase;
        header.UsePictureForCase = c.byPicture;
        EXPECT_EQ(header.GetSortingColumnString("+", "A:B", c.picture), c.expected)
            << c.picture << " noCase " << c.noCase << " byPicture " << c.byPicture;
    }
    header.NoCase = true;
    EXPECT_EQ(header.GetSortingColumnString("-", "A:B", "@s5"), "-UPPER(A:B)");
}

TEST_F(SortHeaderTextTest, ASavedTextSortsByItsColumnsWhateverItsBlanksCaseAndSigns) {
    init(true);
    header.SetSortFromString(" - tst:id , +TST:Title ");
    EXPECT_EQ(header.GetStringFromSort(), "-TST:ID,TST:TITLE");
    EXPECT_EQ(headers(), (std::vector<std::string>{"Title[+2]", "Id[-1]", "Group"}));
    ASSERT_EQ(header.orders.size(), 1u);
    // The key's title is there already, folded: nothing is appended.
    EXPECT_EQ(header.orders[0], "-TST:ID,+UPPER(TST:TITLE)");
    EXPECT_EQ(header.GetSortOrder(), -2);
}

TEST_F(SortHeaderTextTest, TheKeysComponentsCompleteAnOrderThatLacksThem) {
    init(true);
    header.SetSortFromString("TST:GROUP");
    ASSERT_EQ(header.orders.size(), 1u);
    EXPECT_EQ(header.orders[0], "+TST:GROUP,+TST:TITLE");
}

TEST_F(SortHeaderTextTest, DamagedSavedTextsLeaveTheApplicationsOwnSort) {
    init(true);
    const std::string cases[] = {
        "PAS:NOSUCH",
        ",,,--+",
        "+-TST:ID",
        "TST:",
        "UPPER(TST:TITLE)",
        "\xff\xfe\x80junk",
        std::string(5000, ','),
    };
    for (const std::string& text : cases) {
        header.orders.clear();
        header.SetSortFromString(text);
        EXPECT_EQ(header.GetStringFromSort(), "") << text.substr(0, 40);
        EXPECT_TRUE(header.orders.empty()) << text.substr(0, 40);
        EXPECT_EQ(headers(), (std::vector<std::string>{"Title", "Id", "Group"}));
    }
}

TEST_F(SortHeaderTextTest, GoodTermsSurviveAmongBadOnesAndAColumnCountsOnce) {
    init(true);
    header.SetSortFromString("TST:ID,nonsense,-tst:id,TST:ID," + std::string(100000, 'x') +
                             ",-TST:GROUP");
    EXPECT_EQ(header.GetStringFromSort(), "TST:ID,-TST:GROUP");
    EXPECT_EQ(headers(), (std::vector<std::string>{"Title", "Id[+1]", "Group[-2]"}));
}

TEST_F(SortHeaderTextTest, WithoutMultipleColumnsOnlyTheFirstGoodTermCounts) {
    init(true);
    header.MultipleColumns = false;
    header.SetSortFromString("bad,-TST:GROUP,TST:ID");
    EXPECT_EQ(header.GetStringFromSort(), "-TST:GROUP");
    EXPECT_EQ(headers(), (std::vector<std::string>{"Title", "Id", "Group[-]"}));
}

TEST_F(SortHeaderTextTest, ClearSortAndResetSortForgetTheColumns) {
    EXPECT_EQ(header.GetSortOrder(), 0) << "not initialised";
    init(true);
    header.SetSortFromString("-TST:GROUP,TST:TITLE");
    EXPECT_EQ(header.GetSortOrder(), -3);
    header.ClearSort();
    EXPECT_EQ(header.GetStringFromSort(), "");
    EXPECT_EQ(header.GetSortOrder(), header.SortOrder);
    EXPECT_EQ(headers(), (std::vector<std::string>{"Title", "Id", "Group"}));
    header.SetSortFromString("TST:ID");
    header.orders.clear();
    header.ResetSort();
    EXPECT_EQ(header.orders, std::vector<std::string>{""});
    EXPECT_EQ(header.GetColumnName(2), "TST:ID");
    EXPECT_EQ(header.GetColumnName(4), "");
    EXPECT_EQ(header.GetColumnText(3), "Group");
}

TEST_F(SortHeaderTextTest, WithoutAViewTheQueueItselfIsSortedStably) {
    init(false);
    header.SetSortFromString("-TST:GROUP,TST:TITLE");
    std::vector<Row> expected;
    int id = 1;
    for (const char* title : kTitles) {
        Row r;
        r.Title = title;
        r.Id = id;
        r.Group = (id * 5) % 3;
        expected.push_back(r);
        ++id;
    }
    std::stable_sort(expected.begin(), expected.end(), [](const Row& a, const Row& b) {
        if (a.Group != b.Group) return a.Group > b.Group;
        return rt::upper(a.Title.clipped()) < rt::upper(b.Title.clipped());
    });
    std::vector<int> ids;
    for (const Row& r : expected) ids.push_back(r.Id);
    EXPECT_EQ(queueIds(), ids);
    EXPECT_EQ(header.orders, std::vector<std::string>{"-TST:GROUP,+UPPER(TST:TITLE)"});
}

TEST_F(SortHeaderTextTest, FindRecordAnswersTheRowOfAValueOrWhereItWouldStand) {
    init(false);
    header.SetSortFromString("TST:TITLE");
    auto rowOf = [&](const std::string& value) {
        header.FirstSortField = value;
        return header.FindRecord();
    };
    auto titleAt = [&](int row) { return rt::upper(queue.records()[row - 1].Title.clipped()); };
    int bravo = rowOf("bravo");
    ASSERT_GT(bravo, 0);
    EXPECT_EQ(titleAt(bravo), "BRAVO");
    int between = rowOf("c");  // after the bravos, at the first c
    EXPECT_EQ(titleAt(between), "CHARLIE");
    // Folded, "é" sorts after "z", and "ÿ" after both.
    EXPECT_EQ(titleAt(rowOf("zzz")), "ÉCHO");
    EXPECT_EQ(rowOf("ÿÿ"), queue.Records()) << "past the end: the last row";
    header.SetSortFromString("-TST:TITLE");
    int down = rowOf("c");
    EXPECT_EQ(titleAt(down), "CHARLIE");
}

TEST_F(SortHeaderTextTest, TheSortIsKeptInItsSectionAndOtherSettingsStay) {
    std::string ini = dir.file("Items.INI").string();
    ASSERT_EQ(rt::SettingsFile::put(ini, "Preserved", "Glo:FileLocation", "/data"), 0);
    ASSERT_EQ(rt::SettingsFile::put(ini, "Items", "SortHeader_1", "-TST:GROUP"), 0);
    init(true, ini, "Items");
    EXPECT_EQ(headers(), (std::vector<std::string>{"Title", "Id", "Group[-]"}));
    header.SetSortFromString("TST:TITLE,-TST:ID");
    header.Kill();
    EXPECT_EQ(rt::SettingsFile::get(ini, "Items", "SortHeader_1", "?"), "TST:TITLE,-TST:ID");
    EXPECT_EQ(rt::SettingsFile::get(ini, "Preserved", "Glo:FileLocation", "?"), "/data");
    EXPECT_EQ(headers(), (std::vector<std::string>{"Title", "Id", "Group"})) << "Kill restores";
}

TEST_F(SortHeaderTextTest, ARegistryRootNumberKeepsTheSortInTheRegistry) {
    std::string file = dir.file("registry.ini").string();
    rt::Registry::user().TEST_setFile(file);
    init(true, "2147483649", "Items");
    header.SetSortFromString("-TST:ID");
    header.Kill();
    rt::Registry::Key key = rt::Registry::user().openKey("HKEY_CURRENT_USER\\Items");
    ASSERT_NE(key, 0);
    EXPECT_EQ(rt::Registry::user().queryValue(key, "SortHeader_1").value_or("?"), "-TST:ID");
    rt::Registry::user().closeKey(key);
    MemoryHeader again;
    again.Init(*window, queue, 1, "2147483649", "Items", view.get(), table->key(2));
    EXPECT_EQ(again.GetStringFromSort(), "-TST:ID");
    again.Kill();
    rt::Registry::user().TEST_setFile("");
    EXPECT_FALSE(std::filesystem::exists(dir.file("2147483649")));
}

TEST_F(SortHeaderTextTest, OnlyRegistryRootNumbersNameTheRegistry) {
    EXPECT_EQ(SortHeaderStorage::RegistryRoot("2147483648"), 2147483648u);
    EXPECT_EQ(SortHeaderStorage::RegistryRoot("2147483654 "), 2147483654u);
    EXPECT_EQ(SortHeaderStorage::RegistryRoot("2147483655"), 0u);
    EXPECT_EQ(SortHeaderStorage::RegistryRoot("2147483647"), 0u);
    EXPECT_EQ(SortHeaderStorage::RegistryRoot(".\\Lockora.INI"), 0u);
    EXPECT_EQ(SortHeaderStorage::RegistryRoot("2147483649x"), 0u);
    EXPECT_EQ(SortHeaderStorage::RegistryRoot(""), 0u);
}

TEST_F(SortHeaderTextTest, AStoreThatCannotBeWrittenLosesOnlyTheSort) {
    std::filesystem::create_directory(dir.file("Blocked.INI"));
    std::string ini = dir.file("Blocked.INI").string();
    init(true, ini, "Items");
    EXPECT_EQ(header.GetStringFromSort(), "");
    header.SetSortFromString("TST:ID");
    header.Kill();
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("Blocked.INI")));
}

TEST_F(SortHeaderTextTest, NothingIsStoredOrLoadedWithoutBothNames) {
    std::string ini = dir.file("Items.INI").string();
    ASSERT_EQ(rt::SettingsFile::put(ini, "Items", "SortHeader_1", "TST:ID"), 0);
    init(true, ini, "");
    EXPECT_EQ(header.GetStringFromSort(), "");
    header.SetSortFromString("-TST:GROUP");
    header.Kill();
    EXPECT_EQ(rt::SettingsFile::get(ini, "Items", "SortHeader_1", "?"), "TST:ID");
}
