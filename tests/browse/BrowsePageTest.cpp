// The page: filling it, scrolling it by row, page, end and thumb, and
// keeping the highlight through a resize, checked against the data file.
#include <gtest/gtest.h>

#include "runtime/Events.h"
#include "runtime/Prop.h"
#include "tests/browse/BrowseFixture.h"

using namespace browsetest;

namespace {

// The first n ids from `from` on, in id order, as the shell reads them.
std::string idsFrom(int from, int n) {
    return "SELECT Id FROM Items WHERE Id >= " + std::to_string(from) + " ORDER BY Id LIMIT " +
           std::to_string(n);
}

}  // namespace

TEST_F(BrowseTest, APageFillsExactlyWithTheFirstEntriesInKeyOrder) {
    addItems(30);
    std::vector<int> shown;
    int page = 0;
    rt::Robot robot;
    prepare(robot);
    robot.waitForWindow(kCaption)
        .check("the page is full", [&](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("read the page",
             [&](rt::Window& w) {
                 shown = shownIds(w);
                 page = pageSize(w);
             })
        .screenshot("browse-page.png")
        .closeWindow();
    runBrowse(robot);
    ASSERT_GT(page, 3);
    ASSERT_LT(page, 30);
    EXPECT_EQ(shown, sqlIds(idsFrom(1, page)));
}
