// The page: filling it, scrolling it by row, page, end and thumb, and
// keeping the highlight through a resize, checked against the data file.
#include <gtest/gtest.h>

#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "tests/browse/BrowseFixture.h"

using namespace browsetest;

namespace {

// The shell's query for n ids from `from` on, in id order.
std::string idsFrom(int from, int n) {
    return "SELECT Id FROM Items WHERE Id >= " + std::to_string(from) + " ORDER BY Id LIMIT " +
           std::to_string(n);
}

std::string lastIds(int n) {
    return "SELECT Id FROM (SELECT Id FROM Items ORDER BY Id DESC LIMIT " + std::to_string(n) +
           ") ORDER BY Id";
}

bool thumbShown(rt::Window& w) {
    return w.property(List, rt::Prop::VScroll).number() != 0;
}

int thumb(rt::Window& w) {
    return static_cast<int>(w.property(List, rt::Prop::ScrollPos).number());
}

}  // namespace

TEST_F(BrowseTest, APageFillsExactlyWithTheFirstEntriesInKeyOrder) {
    addItems(30);
    std::vector<int> shown;
    int page = 0, position = -1;
    rt::Robot robot;
    prepare(robot);
    robot.waitForWindow(kCaption)
        .check("the page is full", [&](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("read the page",
             [&](rt::Window& w) {
                 shown = shownIds(w);
                 page = pageSize(w);
                 position = thumbShown(w) ? thumb(w) : -1;
             })
        .check("the first row is highlighted", [](rt::Window& w) { return highlighted(w) == 1; })
        .screenshot("browse-page.png")
        .closeWindow();
    runBrowse(robot);
    ASSERT_GT(page, 3);
    ASSERT_LT(page, 30);
    EXPECT_EQ(shown, sqlIds(idsFrom(1, page)));
    EXPECT_EQ(position, 0) << "the first entry puts the thumb at the top";
}

TEST_F(BrowseTest, FewerEntriesThanRowsShowAllWithoutAThumb) {
    addItems(5);
    std::vector<int> shown;
    bool thumbVisible = true;
    int afterPageDown = 0;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("five rows", [](rt::Window& w) { return rowsShown(w) == 5; })
        .run("read the page",
             [&](rt::Window& w) {
                 shown = shownIds(w);
                 thumbVisible = thumbShown(w);
             })
        .key(rt::PgDnKey, List)
        .check("the last row is highlighted", [](rt::Window& w) { return highlighted(w) == 5; })
        .key(rt::PgDnKey, List)
        .key(rt::DownKey, List)
        .run("read the highlight", [&](rt::Window& w) { afterPageDown = highlighted(w); })
        .closeWindow();
    runBrowse(robot);
    EXPECT_EQ(shown, sqlIds("SELECT Id FROM Items ORDER BY Id"));
    EXPECT_FALSE(thumbVisible);
    EXPECT_EQ(afterPageDown, 5);
}

TEST_F(BrowseTest, RowDownAtTheBottomSlidesThePageByOneAndStopsAtTheEnd) {
    addItems(30);
    int page = 0;
    std::vector<int> slid, atEnd;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [&](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("go to the last row",
             [&](rt::Window& w) {
                 page = pageSize(w);
                 w.setProperty(List, rt::Prop::Selected, page);
                 w.post(rt::EventNewSelection, List);
             })
        .check("the last row is highlighted", [&](rt::Window& w) { return highlighted(w) == page; })
        .key(rt::DownKey, List)
        .check("one more entry", [&](rt::Window& w) { return highlighted(w) == page + 1; })
        .run("read the page", [&](rt::Window& w) { slid = shownIds(w); })
        .key(rt::CtrlEnd, List)
        .check("the end", [](rt::Window& w) { return highlighted(w) == 30; })
        .key(rt::DownKey, List)
        .key(rt::DownKey, List)
        .run("read the page", [&](rt::Window& w) { atEnd = shownIds(w); })
        .check("still the last entry", [](rt::Window& w) { return highlighted(w) == 30; })
        .closeWindow();
    runBrowse(robot);
    EXPECT_EQ(slid, sqlIds(idsFrom(2, page)));
    EXPECT_EQ(atEnd, sqlIds(lastIds(page)));
}

TEST_F(BrowseTest, PagesDownAndUpKeepTheVisualRowAndEndsShowTheFirstAndLastPages) {
    addItems(100);
    int page = 0;
    std::vector<int> second, back, last, first;
    int lastThumb = -1, firstThumb = -1;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [&](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("note the page size", [&](rt::Window& w) { page = pageSize(w); })
        .key(rt::DownKey, List)
        .key(rt::PgDnKey, List)
        .check("a page further", [&](rt::Window& w) { return highlighted(w) == page + 2; })
        .run("read the page", [&](rt::Window& w) { second = shownIds(w); })
        .key(rt::PgUpKey, List)
        .check("back", [](rt::Window& w) { return highlighted(w) == 2; })
        .run("read the page", [&](rt::Window& w) { back = shownIds(w); })
        .key(rt::CtrlEnd, List)
        .check("the end", [](rt::Window& w) { return highlighted(w) == 100; })
        .run("read the page",
             [&](rt::Window& w) {
                 last = shownIds(w);
                 lastThumb = thumb(w);
             })
        .key(rt::CtrlHome, List)
        .check("the start", [](rt::Window& w) { return highlighted(w) == 1; })
        .run("read the page",
             [&](rt::Window& w) {
                 first = shownIds(w);
                 firstThumb = thumb(w);
             })
        .closeWindow();
    runBrowse(robot);
    EXPECT_EQ(second, sqlIds(idsFrom(page + 1, page)));
    EXPECT_EQ(back, sqlIds(idsFrom(1, page)));
    EXPECT_EQ(last, sqlIds(lastIds(page)));
    EXPECT_EQ(first, sqlIds(idsFrom(1, page)));
    EXPECT_EQ(lastThumb, 100);
    EXPECT_EQ(firstThumb, 0);
}

TEST_F(BrowseTest, ThumbDraggedToTheEndsJumpsToTheFirstAndLastPages) {
    addItems(100);
    int page = 0;
    std::vector<int> bottom, top;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [&](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("note the page size", [&](rt::Window& w) { page = pageSize(w); })
        .dragThumb(List, 100)
        .check("the last entry", [](rt::Window& w) { return highlighted(w) == 100; })
        .run("read the page", [&](rt::Window& w) { bottom = shownIds(w); })
        .dragThumb(List, 1)
        .check("the first entry", [](rt::Window& w) { return highlighted(w) == 1; })
        .run("read the page", [&](rt::Window& w) { top = shownIds(w); })
        .closeWindow();
    runBrowse(robot);
    EXPECT_EQ(bottom, sqlIds(lastIds(page)));
    EXPECT_EQ(top, sqlIds(idsFrom(1, page)));
}

TEST_F(BrowseTest, ThumbDraggedBetweenTheEndsFindsTheEntryAtThatHeight) {
    addItems(200);
    int first = 0, row = 0;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [&](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .dragThumb(List, 37)
        .check("moved", [](rt::Window& w) { return highlighted(w) != 1; })
        .run("read the page",
             [&](rt::Window& w) {
                 first = shownIds(w).front();
                 row = static_cast<int>(w.property(List, rt::Prop::Selected).number());
             })
        .closeWindow();
    runBrowse(robot);
    // The step object places 37 % between the first and the last entry; the
    // entry found there keeps the highlight's row (the first).
    int wanted = 1 + (200 - 1) * 37 / 100;
    EXPECT_EQ(first, sqlIds("SELECT Id FROM Items WHERE Id >= " + std::to_string(wanted) +
                            " ORDER BY Id LIMIT 1")
                         .front());
    EXPECT_EQ(row, 1);
}

TEST_F(BrowseTest, ThumbDraggedWithoutAStepObjectPagesTowardsIt) {
    addItems(100);
    int page = 0;
    std::vector<int> down, up;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [&](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("note the page size", [&](rt::Window& w) { page = pageSize(w); })
        .dragThumb(List, 50)
        .check("a page down", [&](rt::Window& w) { return highlighted(w) == page + 1; })
        .run("read the page", [&](rt::Window& w) { down = shownIds(w); })
        .dragThumb(List, 49)
        .check("a page up", [](rt::Window& w) { return highlighted(w) == 1; })
        .run("read the page", [&](rt::Window& w) { up = shownIds(w); })
        .closeWindow();
    BrowseSettings settings;
    settings.step = false;
    runBrowse(robot, settings);
    EXPECT_EQ(down, sqlIds(idsFrom(page + 1, page)));
    EXPECT_EQ(up, sqlIds(idsFrom(1, page)));
}

TEST_F(BrowseTest, AResizeThatShowsFewerRowsKeepsTheHighlightedEntry) {
    addItems(60);
    int page = 0, smaller = 0, chosen = 0;
    std::vector<int> shown;
    rt::Robot robot;
    prepare(robot);
    robot.waitForWindow(kCaption)
        .check("the page is full", [&](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("highlight a low row and shrink the list",
             [&](rt::Window& w) {
                 page = pageSize(w);
                 chosen = page - 1;
                 w.setProperty(List, rt::Prop::Selected, chosen);
                 w.post(rt::EventNewSelection, List);
             })
        .check("highlighted", [&](rt::Window& w) { return highlighted(w) == chosen; })
        .run("shrink the list",
             [&](rt::Window& w) {
                 int height = static_cast<int>(w.property(List, rt::Prop::Height).number());
                 w.setProperty(List, rt::Prop::Height, height / 2);
                 w.post(rt::EventSized);
             })
        .check("the page shrank",
               [&](rt::Window& w) { return pageSize(w) < page && rowsShown(w) == pageSize(w); })
        .run("read the page",
             [&](rt::Window& w) {
                 smaller = pageSize(w);
                 shown = shownIds(w);
             })
        .check("the same entry is highlighted",
               [&](rt::Window& w) { return highlighted(w) == chosen; })
        .screenshot("browse-resized.png")
        .closeWindow();
    runBrowse(robot);
    ASSERT_GT(smaller, 0);
    // The rows the list lost left from the top; the highlight moved up with
    // its entry.
    EXPECT_EQ(shown, sqlIds(idsFrom(page - smaller + 1, smaller)));
}
