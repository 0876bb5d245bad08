// Orders a table declares beside its keys: their indexes are made with the
// table, once for a table made without them, and a view in such an order
// finds its index instead of building one. Building an index reports its
// progress. Index lists are read with the cipher's own shell.
#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/host/Progress.h"
#include "runtime/store/KeyedOrder.h"
#include "runtime/store/KeyedTransaction.h"
#include "runtime/store/View.h"
#include "tests/runtime/store/KeyedTestTable.h"
#include "tests/support/SqlShell.h"
#include "tests/support/TempDir.h"

using namespace keyedtest;

namespace {

const std::vector<std::string> kOrders = {"+UPPER(PAS:TITLE),+PAS:PRIMARY_ID",
                                          "-UPPER(PAS:TITLE),+PAS:PRIMARY_ID",
                                          "-PAS:LOCATION,+PAS:PRIMARY_ID"};

// Counts what an operation reports.
class CountingReporter : public rt::ProgressReporter {
  public:
    void begin(const std::string& text) override {
        ++begun;
        this->text = text;
    }
    void step() override { ++steps; }
    void end() override { ++ended; }
    int begun = 0, steps = 0, ended = 0;
    std::string text;
};

class DeclaredOrderTest : public ::testing::Test {
  protected:
    void TearDown() override { rt::setProgressReporter(previous_); }

    std::vector<std::string> indexes() {
        return testsupport::sqlShell(dir.file("Lockora.lkdb"), kOwnerPassword,
                                     "SELECT name FROM sqlite_master WHERE type='index' AND "
                                     "name LIKE '%order%' ORDER BY name;");
    }

    void fill(PasswordTable& t, rt::KeyedFile& file, int count) {
        ASSERT_EQ(rt::beginTransaction({&file}, 5), 0);
        for (int id = 1; id <= count; ++id) {
            t.fill(id, "Title " + std::to_string((id * 7919) % count), "loc" + std::to_string(id));
            ASSERT_EQ(file.add(), 0);
        }
        ASSERT_EQ(rt::commitTransaction(), 0);
    }

    void report(CountingReporter& reporter) { previous_ = rt::setProgressReporter(&reporter); }

    testsupport::TempDir dir;

  private:
    rt::ProgressReporter* previous_ = nullptr;
};

std::vector<std::string> namesOf(const PasswordTable& t, const std::vector<std::string>& texts) {
    std::vector<std::string> names;
    for (const std::string& text : texts)
        names.push_back(rt::KeyedOrder::parse(t.def, text)->indexName("Password"));
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST_F(DeclaredOrderTest, ANewTableHasTheIndexesOfItsDeclaredOrders) {
    PasswordTable t;
    for (const std::string& order : kOrders) t.def.addOrder(order);
    t.def.addOrder("+PAS:PRIMARY_ID");  // the primary key's order: no index of its own
    t.def.addOrder("+PAS:NOSUCH");      // names no field: left out
    rt::KeyedFile file(t.def);
    ASSERT_EQ(openOrCreate(file), 0);
    file.close();
    EXPECT_EQ(indexes(), namesOf(t, kOrders));
}

TEST_F(DeclaredOrderTest, ATableMadeWithoutThemGetsThemOnceWhenOpenedForWriting) {
    {
        PasswordTable old;
        rt::KeyedFile file(old.def);
        ASSERT_EQ(openOrCreate(file), 0);
        fill(old, file, 2000);
        file.close();
    }
    ASSERT_TRUE(indexes().empty());
    PasswordTable t;
    for (const std::string& order : kOrders) t.def.addOrder(order);
    rt::KeyedFile reader(t.def);
    ASSERT_EQ(reader.open(rt::ReadOnly | rt::DenyNone), 0);
    reader.close();
    EXPECT_TRUE(indexes().empty()) << "a reader changes nothing";
    CountingReporter reporter;
    report(reporter);
    rt::KeyedFile file(t.def);
    ASSERT_EQ(file.open(), 0);
    file.close();
    EXPECT_EQ(indexes(), namesOf(t, kOrders));
    EXPECT_EQ(reporter.begun, static_cast<int>(kOrders.size()));
    EXPECT_EQ(reporter.ended, reporter.begun);
    EXPECT_GT(reporter.steps, 0) << "2000 rows take more than one report";
    EXPECT_FALSE(reporter.text.empty());
    ASSERT_EQ(file.open(), 0);
    file.close();
    EXPECT_EQ(reporter.begun, static_cast<int>(kOrders.size())) << "once";
}

TEST_F(DeclaredOrderTest, AViewInADeclaredOrderBuildsNothingAndAnotherOrderReportsItsBuild) {
    PasswordTable t;
    for (const std::string& order : kOrders) t.def.addOrder(order);
    rt::KeyedFile file(t.def);
    ASSERT_EQ(openOrCreate(file), 0);
    fill(t, file, 500);
    CountingReporter reporter;
    report(reporter);
    rt::View view(file);
    // Spelled differently, the same order.
    ASSERT_EQ(view.setOrder("-upper(pas:title), +pas:primary_id"), 0);
    ASSERT_EQ(view.open(), 0);
    EXPECT_EQ(reporter.begun, 0);
    ASSERT_EQ(view.setOrder("+UPPER(PAS:USERNAME),-UPPER(PAS:TITLE),+PAS:PRIMARY_ID"), 0);
    EXPECT_EQ(reporter.begun, 1);
    EXPECT_EQ(reporter.ended, 1);
    view.close();
    file.close();
    EXPECT_EQ(indexes().size(), kOrders.size() + 1);
}

TEST_F(DeclaredOrderTest, AnOrdersIndexNameDependsOnItsTermsNotItsSpelling) {
    PasswordTable t;
    auto name = [&](const std::string& text) {
        auto order = rt::KeyedOrder::parse(t.def, text);
        return order ? order->indexName("Password") : std::string("none");
    };
    EXPECT_EQ(name("+UPPER(PAS:TITLE),+PAS:PRIMARY_ID"), name("upper(Title), Primary_ID"));
    EXPECT_NE(name("+UPPER(PAS:TITLE),+PAS:PRIMARY_ID"), name("-UPPER(PAS:TITLE),+PAS:PRIMARY_ID"));
    EXPECT_NE(name("+UPPER(PAS:TITLE)"), name("+PAS:TITLE"));
    EXPECT_EQ(name("+PAS:NOSUCH"), "none");
    std::string error;
    EXPECT_FALSE(rt::KeyedOrder::parse(t.def, "+PAS:NOSUCH", &error));
    EXPECT_NE(error.find("PAS:NOSUCH"), std::string::npos) << error;
}

TEST_F(DeclaredOrderTest, AViewProjectsEveryFieldUnlessToldOtherwise) {
    PasswordTable t;
    rt::KeyedFile file(t.def);
    rt::View view(file);
    EXPECT_EQ(view.projection().size(), t.def.fields().size());
    EXPECT_EQ(view.projection().front(), 0);
    view.setProjection({1, 0});
    EXPECT_EQ(view.projection(), (std::vector<int>{1, 0}));
}
