#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "runtime/expr/Bindings.h"
#include "runtime/expr/ExprEvaluator.h"
#include "runtime/store/FileErrors.h"
#include "runtime/store/KeyedTransaction.h"
#include "runtime/host/LastError.h"
#include "runtime/text/TextCase.h"
#include "runtime/store/View.h"
#include "tests/runtime/store/KeyedTestTable.h"
#include "tests/support/TempDir.h"

using namespace keyedtest;

namespace {

// Texts chosen to catch ordering faults: ties, inner and leading spaces,
// every mix of case, letters whose upper case is not ASCII or grows.
const std::vector<std::string> kWords = {
    "abc",    "ABC",     "Abc",    "abc d",  "abc  d", " lead", "émile",  "Émile", "ÉCOLE",
    "straße", "STRASSE", "zebra",  "Äpfel",  "apfel",  "ápice", "ß",      "10",    "9",
    "",       "a'b",     "Zürich", "zurich", "ǆ",      "Ǆ",     "mañana", "MAÑANA"};

class ViewTest : public ::testing::Test {
  protected:
    testsupport::TempDir dir;
    PasswordTable t;
    rt::KeyedFile file{t.def};
    rt::View view{file};

    struct Row {
        std::int64_t id;
        std::vector<std::string> texts;  // Title, Location, UserName, Password
        std::int64_t date;
    };
    std::vector<Row> rows;

    void SetUp() override {
        ASSERT_EQ(openOrCreate(file), 0);
        std::mt19937 random(1234);
        auto pick = [&] { return kWords[random() % kWords.size()]; };
        for (int id = 1; id <= 160; ++id) {
            t.fill(id, pick(), pick() + " " + pick());
            t.PAS.UserName = pick();
            t.PAS.Password = pick();
            t.PAS.DateCreated = rt::toStored(
                rt::dateFromParts(1 + random() % 12, 1 + random() % 28, 2000 + random() % 3));
            ASSERT_EQ(file.add(), 0);
            rows.push_back({id,
                            {t.PAS.Title.clipped(), t.PAS.Location.clipped(),
                             t.PAS.UserName.clipped(), t.PAS.Password.clipped()},
                            rt::fromStored(t.PAS.DateCreated)});
        }
    }

    std::vector<std::int64_t> readView(bool forward, std::size_t limit = SIZE_MAX) {
        std::vector<std::int64_t> ids;
        while (ids.size() < limit && (forward ? view.next() : view.previous()) == 0)
            ids.push_back(t.PAS.Primary_ID);
        return ids;
    }

    // The expected order, computed without the driver: column 0-3 texts,
    // 4 the id, 5 the date.
    std::vector<std::int64_t> sorted(const std::vector<std::tuple<int, bool, bool>>& terms) {
        auto key = [](const Row& r, int column,
                      bool folded) -> std::pair<std::int64_t, std::string> {
            if (column == 4) return {r.id, {}};
            if (column == 5) return {r.date, {}};
            return {0, folded ? rt::upper(r.texts[column]) : r.texts[column]};
        };
        std::vector<Row> copy = rows;
        std::stable_sort(copy.begin(), copy.end(), [&](const Row& a, const Row& b) {
            for (auto [column, ascending, folded] : terms) {
                auto ka = key(a, column, folded), kb = key(b, column, folded);
                if (ka == kb) continue;
                return ascending ? ka < kb : kb < ka;
            }
            return false;
        });
        std::vector<std::int64_t> ids;
        for (const Row& r : copy) ids.push_back(r.id);
        return ids;
    }
};

const char* kLabels[] = {"PAS:TITLE",    "PAS:LOCATION",   "PAS:USERNAME",
                         "PAS:PASSWORD", "PAS:PRIMARY_ID", "PAS:DATECREATED"};

TEST_F(ViewTest, OrderMatchesAnIndependentSortForEveryColumnAndDirection) {
    ASSERT_EQ(view.open(), 0);
    for (int column = 0; column < 6; ++column) {
        for (bool ascending : {true, false}) {
            for (bool folded : {false, true}) {
                if (folded && column >= 4) continue;
                std::string label = kLabels[column];
                std::string text =
                    (ascending ? "+" : "-") + (folded ? "UPPER(" + label + ")" : label);
                SCOPED_TRACE(text);
                ASSERT_EQ(view.setOrder(text), 0);
                std::vector<std::int64_t> expected = sorted({{column, ascending, folded}});
                ASSERT_EQ(view.set(), 0);
                EXPECT_EQ(readView(true), expected);
                ASSERT_EQ(view.set(), 0);
                std::vector<std::int64_t> backward = readView(false);
                std::reverse(backward.begin(), backward.end());
                EXPECT_EQ(backward, expected);
            }
        }
    }
}

TEST_F(ViewTest, MultiTermOrderPagesFromAPositionBothWays) {
    ASSERT_EQ(view.open(), 0);
    ASSERT_EQ(view.setOrder("+UPPER(PAS:TITLE),-PAS:LOCATION,+PAS:PRIMARY_ID"), 0);
    std::vector<std::int64_t> expected =
        sorted({{0, true, true}, {1, false, false}, {4, true, false}});
    view.setBuffering(20, 2, 0, 60);
    ASSERT_EQ(view.set(), 0);
    std::vector<std::int64_t> paged;
    // Page by page as the browse does: remember the last row's position,
    // come back to it, and read on past it.
    for (;;) {
        std::vector<std::int64_t> page = readView(true, 30);
        if (page.empty()) break;
        paged.insert(paged.end(), page.begin(), page.end());
        std::string last = view.position();
        ASSERT_EQ(view.reset(last), 0);
        ASSERT_EQ(view.next(), 0);
        ASSERT_EQ(t.PAS.Primary_ID, page.back()) << "a reset position reads its own record first";
    }
    EXPECT_EQ(paged, expected);
    // Backward from a record in the middle.
    ASSERT_EQ(view.set(), 0);
    readView(true, 80);
    ASSERT_EQ(view.reset(view.position()), 0);
    std::vector<std::int64_t> back = readView(false);
    ASSERT_EQ(back.size(), 80u);
    EXPECT_TRUE(std::equal(back.begin(), back.end(), expected.rbegin() + (expected.size() - 80)));
}

TEST_F(ViewTest, ResetToLeadingOrderValuesOfTheBuffer) {
    ASSERT_EQ(view.open(), 0);
    ASSERT_EQ(view.setOrder("+UPPER(PAS:TITLE),+PAS:PRIMARY_ID"), 0);
    t.PAS.Title = "m";
    ASSERT_EQ(view.reset(std::size_t{1}), 0);
    ASSERT_EQ(view.next(), 0);
    std::vector<std::int64_t> expected = sorted({{0, true, true}, {4, true, false}});
    auto first = std::find_if(expected.begin(), expected.end(), [&](std::int64_t id) {
        return rt::upper(rows[id - 1].texts[0]) >= "M";
    });
    ASSERT_NE(first, expected.end());
    EXPECT_EQ(t.PAS.Primary_ID, *first);
    // A position taken in one order finds its record in another.
    std::string pos = view.position();
    ASSERT_EQ(view.setOrder("-PAS:PRIMARY_ID"), 0);
    ASSERT_EQ(view.reset(pos), 0);
    ASSERT_EQ(view.next(), 0);
    EXPECT_EQ(t.PAS.Primary_ID, *first);
    t.PAS = {};
    ASSERT_EQ(view.reget(pos), 0);
    EXPECT_EQ(t.PAS.Primary_ID, *first);
}

TEST_F(ViewTest, FilterResultsEqualTheRuntimesOwnEvaluation) {
    rt::BindScope scope;
    rt::bind("PAS:Primary_ID", t.PAS.Primary_ID);
    rt::bind("PAS:Title", t.PAS.Title);
    rt::bind("PAS:Location", t.PAS.Location);
    struct Case {
        const char* filter;
        bool inSql, byRuntime;
    };
    const Case cases[] = {
        {"PAS:Primary_ID > 50", true, false},
        {"UPPER(PAS:Title) >= 'M' AND PAS:Primary_ID <= 120", true, false},
        {"PAS:Title = 'abc  ' OR NOT (PAS:Primary_ID < 150)", true, false},
        {"PAS:Title = 'a''b'", true, false},
        {"INSTRING('a', PAS:Title, 1, 1) > 0", false, true},
        {"PAS:Primary_ID % 2 = 0 AND UPPER(PAS:Title) = 'ABC'", true, true},
        {"PAS:Title = 10", false, true},
    };
    ASSERT_EQ(view.open(), 0);
    ASSERT_EQ(view.setOrder("+PAS:PRIMARY_ID"), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        ASSERT_EQ(view.setFilter(c.filter), 0);
        EXPECT_EQ(view.TEST_filterInSql(), c.inSql);
        EXPECT_EQ(view.TEST_filterByRuntime(), c.byRuntime);
        ASSERT_EQ(view.set(), 0);
        std::vector<std::int64_t> got = readView(true);
        std::vector<std::int64_t> expected;
        ASSERT_EQ(file.set(kKeyPrimary), 0);
        while (file.next() == 0)
            if (rt::evaluate(std::string_view(c.filter)).value.truthy())
                expected.push_back(t.PAS.Primary_ID);
        EXPECT_EQ(got, expected);
        EXPECT_FALSE(got.empty() && expected.empty())
            << "a filter that passes nothing tests nothing";
    }
}

TEST_F(ViewTest, OpenStatesAndBadTextsAnswerCodes) {
    EXPECT_EQ(view.next(), rt::ErrFileNotOpen);
    ASSERT_EQ(view.open(), 0);
    EXPECT_EQ(view.open(), rt::ErrAlreadyOpen);
    EXPECT_EQ(view.setOrder("+PAS:NOSUCHFIELD"), rt::ErrDriver);
    EXPECT_NE(rt::lastError().driverText.find("NOSUCHFIELD"), std::string::npos);
    EXPECT_EQ(view.setFilter("PAS:Title = ("), rt::ErrDriver);
    EXPECT_FALSE(rt::lastError().driverText.empty());
    ASSERT_EQ(view.close(), 0);
    file.close();
    rt::View other(file);
    EXPECT_EQ(other.open(), rt::ErrFileNotOpen);
}

TEST_F(ViewTest, PageReadsSeekOnAnIndexAndOrdersKeepTheirIndex) {
    ASSERT_EQ(view.open(), 0);
    const char* orders[] = {"+UPPER(PAS:TITLE),+PAS:PRIMARY_ID",
                            "-PAS:LOCATION",
                            "+UPPER(PAS:TITLE),-PAS:LOCATION,+PAS:PRIMARY_ID",
                            "+PAS:PRIMARY_ID,+PAS:TITLE",
                            "-UPPER(PAS:USERNAME)",
                            ""};
    for (const char* order : orders) {
        ASSERT_EQ(view.setOrder(order), 0);
        for (const char* filter : {"", "PAS:Primary_ID > 3"}) {
            ASSERT_EQ(view.setFilter(filter), 0);
            for (const std::string& sql : view.TEST_pageReadStatements()) {
                std::string plan;
                for (const auto& line : file.database()->queryPlan(sql)) plan += line + "\n";
                SCOPED_TRACE(sql + "\n" + plan);
                EXPECT_NE(plan.find("SEARCH TABLE"), std::string::npos);
                EXPECT_EQ(plan.find("SCAN"), std::string::npos);
                EXPECT_EQ(plan.find("TEMP B-TREE"), std::string::npos);
            }
        }
    }
    view.close();
    file.close();
    ASSERT_EQ(file.open(), 0) << "the file with its order indexes still opens";
    std::string plan;
    for (const auto& line :
         file.database()->queryPlan("SELECT 1 FROM \"Password\" WHERE \"Location\" <= 'x' "
                                    "ORDER BY \"Location\" DESC, rowid ASC"))
        plan += line;
    EXPECT_NE(plan.find("Password_order_"), std::string::npos) << plan;
}

}  // namespace

namespace {

TEST_F(ViewTest, OrderReadsRightWhileAnotherStationKeepsTheFileLocked) {
    rt::KeyedStation other;
    PasswordTable t2;
    rt::KeyedFile writer(t2.def, &other);
    ASSERT_EQ(writer.open(), 0);
    ASSERT_EQ(rt::beginTransaction({&writer}, 1), 0);
    ASSERT_EQ(view.open(), 0);
    ASSERT_EQ(view.setOrder("-UPPER(PAS:USERNAME)"), 0) << "its index waits for a later open";
    ASSERT_EQ(view.set(), 0);
    EXPECT_EQ(readView(true), sorted({{2, false, true}}));
    ASSERT_EQ(rt::rollbackTransaction(other), 0);
    ASSERT_EQ(view.setOrder("-UPPER(PAS:USERNAME)"), 0);
    std::string plan;
    for (const auto& line : file.database()->queryPlan(view.TEST_pageReadStatements().front()))
        plan += line;
    EXPECT_NE(plan.find("Password_order_"), std::string::npos) << plan;
}

}  // namespace
