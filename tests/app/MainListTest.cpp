// The main window's credential list on data files of 0, 5, 30 and 100,000
// entries, driven as a person would, checked against the file as the
// cipher's own shell reads it.
#include <gtest/gtest.h>

#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "tests/app/ListFixture.h"

using namespace program;

TEST_F(ListFixture, ThirtyEntriesFillOnePageAndScrollToBothEnds) {
    makeDataFile(30);
    std::vector<int> first, last;
    int page = 0;
    rt::Robot robot;
    prepare(robot);
    login(robot)
        .check("the page is full", pageFull)
        .run("read the first page",
             [&](rt::Window& w) {
                 first = shownIds(w);
                 page = pageSize(w);
             })
        .screenshot("main-list.png")
        .key(rt::CtrlEnd, MainList)
        .check("the last entry is highlighted", [](rt::Window& w) { return highlighted(w) == 30; })
        .run("read the last page", [&](rt::Window& w) { last = shownIds(w); })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    ASSERT_GT(page, 3);
    EXPECT_EQ(first, idsFrom(1, page));
    EXPECT_EQ(last, lastIds(page));
}
