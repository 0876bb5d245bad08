// The main window's header sort as a person uses it, over real data files
// full of ties: a click and a second click, Ctrl+click, Shift+click back to
// the entry-number order, the pressed cell, type-to-jump after a Title sort.
// Rows are checked against the file read by the cipher's own shell and
// sorted in the test.
#include <gtest/gtest.h>

#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/gui/ProgressWindow.h"
#include "runtime/text/TextCase.h"
#include "tests/app/SortFixture.h"

using namespace program;

namespace {

bool byTitle(const Entry& a, const Entry& b) {
    return foldedLess(a.title, b.title);
}

bool byTitleDown(const Entry& a, const Entry& b) {
    return foldedLess(b.title, a.title);
}

bool allPlain(rt::Window& w) {
    return w.property(MainList, rt::Prop::HeaderText, TitleColumn).text() == "Title" &&
           w.property(MainList, rt::Prop::HeaderText, LocationColumn).text() == "Location/URL";
}

}  // namespace

class SortHeaderScenarioTest : public SortFixture {
  protected:
    // Robot steps that read the page after each of `times` presses of key.
    rt::Robot& readPages(rt::Robot& robot, int key, int times,
                         std::vector<std::vector<int>>& pages) {
        robot.run("read the page", [&pages](rt::Window& w) { pages.push_back(rowIds(w)); });
        for (int i = 0; i < times; ++i)
            robot.key(key, MainList).run("read the page", [&pages](rt::Window& w) {
                pages.push_back(rowIds(w));
            });
        return robot;
    }
};

TEST_F(SortHeaderScenarioTest, ATitleSortPagesThroughEveryEntryOnceDownAndBackUp) {
    makeTiedEntries(300);
    std::vector<std::vector<int>> down, up;
    rt::Robot robot;
    prepare(robot);
    login(robot)
        .clickHeader(MainList, TitleColumn)
        .check("Title sorts up", [](rt::Window& w) { return header(w, TitleColumn) == "Title[+]"; })
        .key(rt::CtrlHome, MainList)
        .screenshot("sort-title-ties.png");
    readPages(robot, rt::PgDnKey, 40, down);
    readPages(robot, rt::PgUpKey, 40, up).press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    std::vector<int> all = sortedIds(byTitle);
    // Pages down from the top, until the last page repeats.
    while (down.size() > 1 && down[down.size() - 1] == down[down.size() - 2]) down.pop_back();
    EXPECT_TRUE(coversOnce(down, all));
    // Pages up from the bottom are pages down in the reverse order.
    while (up.size() > 1 && up[up.size() - 1] == up[up.size() - 2]) up.pop_back();
    std::vector<int> reversed(all.rbegin(), all.rend());
    for (auto& page : up) std::reverse(page.begin(), page.end());
    EXPECT_TRUE(coversOnce(up, reversed));
}

TEST_F(SortHeaderScenarioTest, AClickSortsUpASecondDownAndShiftClickGivesTheEntryOrderBack) {
    makeTiedEntries(120);
    std::vector<int> upPage, downPage, plainPage;
    std::vector<std::string> plainHeaders;
    int kept = 0, before = 0;
    rt::Robot robot;
    login(robot)
        .key(rt::DownKey, MainList)
        .key(rt::DownKey, MainList)
        .run("note the highlight", [&](rt::Window& w) { before = highlightedId(w); })
        .clickHeader(MainList, TitleColumn)
        .check("Title[+]", [](rt::Window& w) { return header(w, TitleColumn) == "Title[+]"; })
        .run("read",
             [&](rt::Window& w) {
                 kept = highlightedId(w);
                 upPage = rowIds(w);
             })
        .clickHeader(MainList, TitleColumn)
        .check("Title[-]", [](rt::Window& w) { return header(w, TitleColumn) == "Title[-]"; })
        .key(rt::CtrlHome, MainList)
        .run("read", [&](rt::Window& w) { downPage = rowIds(w); })
        .clickHeader(MainList, LocationColumn, rt::KeyShift)
        .check("no marks", allPlain)
        .key(rt::CtrlHome, MainList)
        .run("read",
             [&](rt::Window& w) {
                 plainPage = rowIds(w);
                 plainHeaders = headers(w);
             })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(kept, before) << "the highlighted entry stays highlighted";
    EXPECT_TRUE(isRunOf(upPage, sortedIds(byTitle)));
    std::vector<int> down = sortedIds(byTitleDown);
    EXPECT_EQ(downPage, std::vector<int>(down.begin(), down.begin() + downPage.size()));
    EXPECT_EQ(plainPage, idsFrom(1, static_cast<int>(plainPage.size())));
    EXPECT_EQ(plainHeaders,
              (std::vector<std::string>{"Title", "Location/URL", "User Name", "Password"}));
}

TEST_F(SortHeaderScenarioTest, CtrlClickSortsByASecondColumnAndNumbersBothHeaders) {
    makeTiedEntries(200);
    std::vector<std::string> marks;
    std::vector<int> page;
    std::size_t indexesBefore = orderIndexes().size();
    ProgressDelay showAtOnce(0);
    int shownBefore = rt::ProgressWindow::TEST_timesShown();
    rt::Robot robot;
    login(robot)
        .clickHeader(MainList, TitleColumn)
        .clickHeader(MainList, LocationColumn, rt::KeyCtrl)
        .check("two columns",
               [](rt::Window& w) { return header(w, LocationColumn) == "Location/URL[+2]"; })
        .clickHeader(MainList, LocationColumn, rt::KeyCtrl)
        .check("the second flips",
               [](rt::Window& w) { return header(w, LocationColumn) == "Location/URL[-2]"; })
        .key(rt::CtrlHome, MainList)
        .run("read",
             [&](rt::Window& w) {
                 marks = headers(w);
                 page = rowIds(w);
             })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(marks,
              (std::vector<std::string>{"Title[+1]", "Location/URL[-2]", "User Name", "Password"}));
    std::vector<int> all = sortedIds([](const Entry& a, const Entry& b) {
        if (rt::upper(a.title) != rt::upper(b.title)) return foldedLess(a.title, b.title);
        return foldedLess(b.location, a.location);
    });
    EXPECT_EQ(page, std::vector<int>(all.begin(), all.begin() + page.size()));
    // Each two-column order got its index the first time it was used.
    EXPECT_EQ(orderIndexes().size(), indexesBefore + 2);
    EXPECT_EQ(rt::ProgressWindow::TEST_timesShown(), shownBefore + 2);
}

TEST_F(SortHeaderScenarioTest, APressedCellLooksPressedAndAReleaseOffItSortsNothing) {
    makeTiedEntries(40);
    // The region the header sort lays over a pressed cell is the first
    // control made after the link region.
    auto pressed = [](rt::Window& w) {
        for (int c : w.controls())
            if (c > LinkRegion && w.property(c, rt::Prop::Visible).number() != 0 &&
                w.property(c, rt::Prop::Bevel).number() < 0)
                return w.property(MainList, rt::Prop::HeaderShift, LocationColumn).number() > 0;
        return false;
    };
    bool upOff = false;
    std::vector<int> before, after;
    std::vector<std::string> marks;
    rt::Robot robot;
    prepare(robot);
    login(robot)
        .run("read", [&](rt::Window& w) { before = rowIds(w); })
        .pressHeader(MainList, LocationColumn)
        .check("the cell is pressed", pressed)
        .screenshot("sort-pressed-cell.png")
        .dragHeaderTo(MainList, UserColumn)
        .check("the cell is up",
               [&](rt::Window& w) {
                   upOff = !pressed(w);
                   return upOff;
               })
        .dragHeaderTo(MainList, LocationColumn)
        .check("pressed again", pressed)
        .dragHeaderTo(MainList, 0)
        .releaseHeader(MainList, 0)
        .check("let go", [&](rt::Window& w) { return !pressed(w); })
        .run("read",
             [&](rt::Window& w) {
                 after = rowIds(w);
                 marks = headers(w);
             })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_TRUE(upOff);
    EXPECT_EQ(after, before);
    EXPECT_EQ(marks, (std::vector<std::string>{"Title", "Location/URL", "User Name", "Password"}));
}

TEST_F(SortHeaderScenarioTest, AfterATitleSortTypingALetterJumpsAndCyclesThroughItsTitles) {
    makeEntries(60,
                {"mango", "Banana", "cherry", "blueberry", "apple", "Berry", "kiwi", "date", "fig",
                 "grape", "lemon", "lime", "melon", "nectarine", "olive", "pear"},
                {"x"});
    std::vector<int> seen;
    auto note = [&seen](rt::Window& w) { seen.push_back(highlightedId(w)); };
    rt::Robot robot;
    login(robot).clickHeader(MainList, TitleColumn).check("Title[+]", [](rt::Window& w) {
        return header(w, TitleColumn) == "Title[+]";
    });
    for (int i = 0; i < 13; ++i) robot.typeKeys(MainList, i % 2 ? "B" : "b").run("note", note);
    // The last titles of all: the third "pear" has no next row to step to.
    for (int i = 0; i < 4; ++i) robot.typeKeys(MainList, "p").run("note", note);
    robot.press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    // Banana, Berry and blueberry four times each, in title order: typing
    // "b" steps through all twelve, equal titles too, then starts over.
    std::vector<int> bs, ps;
    std::vector<Entry> all = entries();
    for (int id : sortedIds(byTitle)) {
        std::string folded = rt::upper(all[static_cast<std::size_t>(id - 1)].title);
        if (folded.starts_with("B")) bs.push_back(id);
        if (folded.starts_with("P")) ps.push_back(id);
    }
    ASSERT_EQ(bs.size(), 12u);
    ASSERT_EQ(ps.size(), 3u);
    std::vector<int> expected;
    for (int i = 0; i < 13; ++i) expected.push_back(bs[static_cast<std::size_t>(i % 12)]);
    for (int i = 0; i < 4; ++i) expected.push_back(ps[static_cast<std::size_t>(i % 3)]);
    EXPECT_EQ(seen, expected);
}

TEST_F(SortHeaderScenarioTest, TheSortIsSavedUnderMainAndBackWithItsMarksAtTheNextStart) {
    makeTiedEntries(90);
    {
        rt::Robot robot;
        login(robot)
            .clickHeader(MainList, LocationColumn)
            .clickHeader(MainList, LocationColumn)
            .check("Location/URL[-]",
                   [](rt::Window& w) { return header(w, LocationColumn) == "Location/URL[-]"; })
            .press(MainExit);
        ASSERT_EQ(runProgram(robot), 0);
    }
    std::string ini = settingsText();
    EXPECT_NE(ini.find("[Main]"), std::string::npos) << ini;
    EXPECT_NE(ini.find("SortHeader_8=-PAS:LOCATION"), std::string::npos) << ini;
    std::vector<std::string> marks;
    std::vector<int> page;
    rt::Robot robot;
    login(robot)
        .check("restored",
               [](rt::Window& w) { return header(w, LocationColumn) == "Location/URL[-]"; })
        .key(rt::CtrlHome, MainList)
        .run("read",
             [&](rt::Window& w) {
                 marks = headers(w);
                 page = rowIds(w);
             })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(marks[1], "Location/URL[-]");
    std::vector<int> all = sortedIds(
        [](const Entry& a, const Entry& b) { return foldedLess(b.location, a.location); });
    EXPECT_EQ(page, std::vector<int>(all.begin(), all.begin() + page.size()));
}

TEST_F(SortHeaderScenarioTest, DamagedSavedSortsOpenTheListInItsOwnOrderAndStayReadable) {
    makeTiedEntries(50);
    const std::string values[] = {"PAS:NOSUCH", "%%,-,+,,==,UPPER(", "-PAS:PRIMARY_ID",
                                  std::string(100000, 'Q'), "PAS:TITLE" + std::string(100000, ',')};
    for (const std::string& value : values) {
        testsupport::writeFile(dir.file("Lockora.INI"),
                               "[Preserved]\nGlo:FileLocation=/kept\n[Main]\nSortHeader_8=" +
                                   value + "\n[Other]\nkey=value\n");
        std::vector<std::string> marks;
        std::vector<int> page;
        rt::Robot robot;
        login(robot)
            .key(rt::CtrlHome, MainList)
            .run("read",
                 [&](rt::Window& w) {
                     marks = headers(w);
                     page = rowIds(w);
                 })
            .press(MainExit);
        EXPECT_EQ(runProgram(robot), 0) << value.substr(0, 30);
        bool title = value.starts_with("PAS:TITLE");
        // A good first term survives the damage after it.
        EXPECT_EQ(marks[0], title ? "Title[+]" : "Title") << value.substr(0, 30);
        std::vector<int> order = title ? sortedIds(byTitle) : idsFrom(1, 50);
        ASSERT_LE(page.size(), order.size());
        EXPECT_EQ(page, std::vector<int>(order.begin(), order.begin() + page.size()))
            << value.substr(0, 30);
        std::string ini = settingsText();
        EXPECT_NE(ini.find("Glo:FileLocation=/kept"), std::string::npos);
        EXPECT_NE(ini.find("[Other]\nkey=value"), std::string::npos);
        EXPECT_NE(ini.find(title ? "SortHeader_8=PAS:TITLE\n" : "SortHeader_8=\n"),
                  std::string::npos);
        EXPECT_LT(ini.size(), 1000u) << "the damaged entry was replaced, not kept";
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SortHeaderScenarioTest, ASettingsFileThatCannotBeWrittenStillLetsTheListSort) {
    makeTiedEntries(50);
    std::filesystem::create_directory(dir.file("Lockora.INI"));
    std::vector<int> page;
    std::string said;
    rt::Robot robot;
    robot.answerMessageBox(rt::ButtonOk, &said);
    login(robot)
        .clickHeader(MainList, TitleColumn)
        .check("Title[+]", [](rt::Window& w) { return header(w, TitleColumn) == "Title[+]"; })
        .key(rt::CtrlHome, MainList)
        .run("read", [&](rt::Window& w) { page = rowIds(w); })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    std::vector<int> all = sortedIds(byTitle);
    EXPECT_EQ(page, std::vector<int>(all.begin(), all.begin() + page.size()));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("Lockora.INI")));
    EXPECT_NE(said.find("Lockora.INI"), std::string::npos) << "the start says so, once";
}

TEST_F(SortHeaderScenarioTest, EveryColumnSortIsServedByAnIndexTheFileHadFromTheStart) {
    makeTiedEntries(30);
    std::vector<std::string> before = orderIndexes();
    ProgressDelay showAtOnce(0);
    int shown = rt::ProgressWindow::TEST_timesShown();
    rt::Robot robot;
    login(robot);
    for (int column : {TitleColumn, LocationColumn, UserColumn, PasswordColumn}) {
        robot.clickHeader(MainList, column)
            .clickHeader(MainList, column)
            .check("down", [column](rt::Window& w) {
                return w.property(MainList, rt::Prop::HeaderText, column).text().ends_with("[-]");
            });
    }
    robot.press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(before.size(), 9u) << "four columns, two directions, and the expiry order";
    EXPECT_EQ(orderIndexes(), before);
    EXPECT_EQ(rt::ProgressWindow::TEST_timesShown(), shown);
}

TEST_F(SortHeaderScenarioTest, AFileWithoutTheColumnIndexesGetsThemOnceAtTheFirstStart) {
    makeTiedEntries(3000);
    for (const std::string& name : orderIndexes()) sql("DROP INDEX \"" + name + "\"");
    ASSERT_TRUE(orderIndexes().empty());
    ProgressDelay showAtOnce(0);
    int shown = rt::ProgressWindow::TEST_timesShown();
    for (int run = 0; run < 2; ++run) {
        rt::Robot robot;
        login(robot).press(MainExit);
        EXPECT_EQ(runProgram(robot), 0);
    }
    // Eight column sorts and the expiry reminder's order.
    EXPECT_EQ(orderIndexes().size(), 9u);
    EXPECT_EQ(rt::ProgressWindow::TEST_timesShown(), shown + 9) << "at the first start only";
}
