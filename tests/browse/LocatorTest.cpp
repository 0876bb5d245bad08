// The step locator: a typed character positions the list at the first entry
// whose sort field starts with it, the same character again steps on and
// wraps, in either direction of the order; a locator needs its browse.
#include <gtest/gtest.h>

#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "tests/browse/BrowseFixture.h"

using namespace browsetest;

namespace {

// Titles in an order a case-insensitive sort puts apart from a plain one.
const char* const kFruit[] = {"apple",  "Banana", "bilberry", "blueberry", "Cherry",
                              "citron", "date",   "Elder",    "fig",       "grape"};

std::string fruit(int id) {
    return kFruit[(id - 1) % 10];
}

std::string title(rt::Window& w) {
    int row = static_cast<int>(w.property(List, rt::Prop::Selected).number());
    return row > 0 ? w.listCell(List, row, 1) : std::string();
}

}  // namespace

TEST_F(BrowseTest, ATypedDigitPositionsAtTheFirstEntryNumberAtOrAfterIt) {
    addItems(40);
    std::vector<int> after;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .typeKeys(List, "7")
        .check("at seven", [](rt::Window& w) { return highlighted(w) == 7; })
        .typeKeys(List, "7")
        .check("still at seven: the next entry does not start with 7",
               [](rt::Window& w) { return highlighted(w) == 7; })
        .typeKeys(List, "3")
        .check("at three", [](rt::Window& w) { return highlighted(w) == 3; })
        .typeKeys(List, "q")
        .check("a letter is no number: the first entry",
               [](rt::Window& w) { return highlighted(w) == 1; })
        .run("read the page", [&](rt::Window& w) { after = shownIds(w); })
        .closeWindow();
    runBrowse(robot);
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after.front(), 1);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(BrowseTest, ATypedLetterJumpsByTitleStepsOnAndWrapsIgnoringCase) {
    addItems(10, fruit);
    std::vector<std::string> seen;
    auto note = [&](rt::Window& w) { seen.push_back(title(w)); };
    rt::Robot robot;
    robot.waitForWindow(kCaption).check("filled", [](rt::Window& w) { return rowsShown(w) > 0; });
    for (const char* key : {"b", "B", "b", "b", "c", "x", "E"})
        robot.typeKeys(List, key).run(std::string("note after ") + key, note);
    robot.closeWindow();
    BrowseSettings settings;
    settings.key = 2;  // UPPER(TST:Title)
    runBrowse(robot, settings);
    // The order the shell gives by folded title is the list's order.
    std::vector<std::string> order = sql("SELECT Title FROM Items ORDER BY upper(Title)");
    ASSERT_EQ(order.size(), 10u);
    EXPECT_EQ(order[1], "Banana");
    EXPECT_EQ(seen, (std::vector<std::string>{"Banana", "bilberry", "blueberry", "Banana", "Cherry",
                                              "grape", "Elder"}));
}

TEST_F(BrowseTest, ATemporaryDescendingSortMakesTheLocatorFindTheLastEntryOfALetter) {
    addItems(10, fruit);
    std::vector<std::string> seen, restored;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("filled", [](rt::Window& w) { return rowsShown(w) > 0; })
        .run("sort by title, descending",
             [this](rt::Window&) {
                 BrowseClass& b = live->browse;
                 b.ReplaceSort("-UPPER(TST:Title)", &live->locator, nullptr);
                 b.SetLocatorFromSort();
                 b.Window->Reset(true);
             })
        .check("z to a", [](rt::Window& w) { return w.listCell(List, 1, 1) == "grape"; })
        .typeKeys(List, "b")
        .run("note", [&](rt::Window& w) { seen.push_back(title(w)); })
        .typeKeys(List, "b")
        .run("note", [&](rt::Window& w) { seen.push_back(title(w)); })
        .run("back to the entry number",
             [this](rt::Window&) {
                 live->browse.RestoreSort();
                 live->browse.Window->Reset(true);
             })
        .check("by number again", [](rt::Window& w) { return w.listCell(List, 1, 1) == "apple"; })
        .run("read the page",
             [&](rt::Window& w) {
                 for (int row = 1; row <= rowsShown(w); ++row)
                     restored.push_back(w.listCell(List, row, 1));
             })
        .closeWindow();
    BrowseSettings settings;
    settings.key = 0;
    runBrowse(robot, settings);
    EXPECT_EQ(seen, (std::vector<std::string>{"blueberry", "bilberry"}));
    ASSERT_FALSE(restored.empty());
    EXPECT_EQ(restored[1], "Banana");
}

TEST_F(BrowseTest, AStepLocatorWithoutItsBrowseIsAProgrammingError) {
    StepLocatorClass locator;
    std::int32_t field = 0;
    locator.Init(0, field, true);
    ASSERT_EQ(asserts.size(), 1u);
    EXPECT_EQ(asserts[0], "The Step Locator require a BrowseClass");
}
