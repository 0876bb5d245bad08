// The main window's credential list on data files of 0, 5, 30 and 100,000
// entries, driven as a person would, checked against the file as the
// cipher's own shell reads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "app/PasswordsFile.h"
#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/MessageBox.h"
#include "tests/app/ListFixture.h"
#include "tests/runtime/store/KeyedTestTable.h"

using namespace program;

namespace {

bool disabled(rt::Window& w, int control) {
    return w.property(control, rt::Prop::Disable).number() != 0;
}

int selectedRow(rt::Window& w) {
    return static_cast<int>(w.property(MainList, rt::Prop::Selected).number());
}

// The four columns of a row as the shell separates them.
std::string shownRow(rt::Window& w, int row) {
    std::string out;
    for (int column = 1; column <= 4; ++column)
        out += (column > 1 ? "|" : "") + w.listCell(MainList, row, column);
    return out;
}

}  // namespace

TEST_F(ListFixture, AnEmptyListDisablesChangeAndDeleteAndTypingDoesNoHarm) {
    makeDataFile(0);
    bool changeOff = false, deleteOff = false, addOn = false;
    rt::Robot robot;
    robot.waitForWindow(kLoginCaption)
        .type(LoginEntry, kMaster)
        .press(LoginButton)
        .waitForWindow(kMainCaption)
        .run("read the buttons",
             [&](rt::Window& w) {
                 changeOff = disabled(w, MainChange);
                 deleteOff = disabled(w, MainDelete);
                 addOn = !disabled(w, MainAdd);
             })
        .typeKeys(MainList, "5b")
        .key(rt::DeleteKey, MainList)
        .key(rt::CtrlEnd, MainList)
        .key(rt::PgDnKey, MainList)
        .check("still empty", [](rt::Window& w) { return w.listRowCount(MainList) == 0; })
        .check("nothing to open", [](rt::Window& w) { return w.text(MainLocation).empty(); })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_TRUE(changeOff);
    EXPECT_TRUE(deleteOff);
    EXPECT_TRUE(addOn);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(sql("SELECT count(*) FROM Password"), std::vector<std::string>{"0"});
}

TEST_F(ListFixture, FiveEntriesShowAsStoredWhateverTheirTexts) {
    makeSpecialFile();
    std::vector<std::string> shown;
    bool thumb = true;
    rt::Robot robot;
    prepare(robot);
    login(robot)
        .check("five rows", [](rt::Window& w) { return w.listRowCount(MainList) == 5; })
        .run("read the rows",
             [&](rt::Window& w) {
                 for (int row = 1; row <= 5; ++row) shown.push_back(shownRow(w, row));
                 thumb = w.property(MainList, rt::Prop::VScroll).number() != 0;
             })
        .screenshot("main-list-five.png")
        .key(rt::PgDnKey, MainList)
        .check("the last row", [](rt::Window& w) { return selectedRow(w) == 5; })
        .key(rt::DownKey, MainList)
        .check("stays", [](rt::Window& w) { return selectedRow(w) == 5; })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(shown, sql("SELECT Title, Location, UserName, Password FROM Password "
                         "ORDER BY Primary_ID, Title"));
    EXPECT_FALSE(thumb) << "no scroll bar when every entry shows";
}

TEST_F(ListFixture, ThirtyEntriesScrollByRowPageAndEndAndThumb) {
    makeDataFile(30);
    std::vector<int> first, slid, paged, last, top;
    int page = 0;
    rt::Robot robot;
    prepare(robot);
    login(robot)
        .check("the page is full", pageFull)
        .run("read the first page",
             [&](rt::Window& w) {
                 first = shownIds(w);
                 page = pageSize(w);
                 w.setProperty(MainList, rt::Prop::Selected, page);
                 w.post(rt::EventNewSelection, MainList);
             })
        .screenshot("main-list.png")
        .check("the last row", [&](rt::Window& w) { return highlighted(w) == page; })
        .key(rt::DownKey, MainList)
        .check("slid by one", [&](rt::Window& w) { return highlighted(w) == page + 1; })
        .run("read the page", [&](rt::Window& w) { slid = shownIds(w); })
        .key(rt::PgUpKey, MainList)
        .key(rt::PgDnKey, MainList)
        .check("back at the same entry", [&](rt::Window& w) { return highlighted(w) == page + 1; })
        .run("read the page", [&](rt::Window& w) { paged = shownIds(w); })
        .dragThumb(MainList, 100)
        .check("the last entry", [](rt::Window& w) { return highlighted(w) == 30; })
        .run("read the page", [&](rt::Window& w) { last = shownIds(w); })
        .dragThumb(MainList, 1)
        .check("the first entry", [](rt::Window& w) { return highlighted(w) == 1; })
        .run("read the page", [&](rt::Window& w) { top = shownIds(w); })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    ASSERT_GT(page, 3);
    EXPECT_EQ(first, idsFrom(1, page));
    EXPECT_EQ(slid, idsFrom(2, page));
    // A page up from the second entry's page stops at the top, so the page
    // down after it starts wherever that left the highlight.
    ASSERT_FALSE(paged.empty());
    EXPECT_EQ(paged, idsFrom(paged.front(), page));
    EXPECT_EQ(last, lastIds(page));
    EXPECT_EQ(top, idsFrom(1, page));
}

TEST_F(ListFixture, TheLinkLineShowsTheHighlightedLocationAndOpensIt) {
    makeDataFile(30);
    // Entries whose locations the desktop gets exactly as stored (a host
    // name goes to it in lower case, and outside ASCII in its encoded form).
    std::vector<std::pair<int, std::string>> plain;
    for (const std::string& line :
         sql("SELECT Primary_ID || '|' || Location FROM Password WHERE Primary_ID <= 12")) {
        std::string location = line.substr(line.find('|') + 1);
        bool ascii = std::all_of(location.begin(), location.end(),
                                 [](char c) { return c >= 0 && !std::isupper(c); });
        if (ascii) plain.emplace_back(std::stoi(line), location);
    }
    ASSERT_GE(plain.size(), 2u);
    auto [one, oneLocation] = plain[0];
    auto [two, twoLocation] = plain[1];
    std::string shown;
    rt::Robot robot;
    login(robot)
        .clickRow(MainList, one)
        .check("the first entry with a plain location",
               [one](rt::Window& w) { return highlighted(w) == one; })
        .check("its location on the link line",
               [&](rt::Window& w) { return rt::rightTrim(w.text(MainLocation)) == oneLocation; })
        .clickControl(LinkRegion)
        .clickRow(MainList, two)
        .check("the second", [two](rt::Window& w) { return highlighted(w) == two; })
        .press(MainLink)
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(opened, (std::vector<std::string>{oneLocation, twoLocation}));
}

TEST_F(ListFixture, TheRightClickMenuOffersAddChangeDeleteAndTheCopies) {
    makeDataFile(30);
    std::vector<std::string> items;
    rt::Robot robot;
    login(robot)
        .rightClick(MainList, 4)
        .readPopupItems(&items)
        .dismissPopup()
        .check("the clicked entry", [](rt::Window& w) { return highlighted(w) == 4; })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(items, (std::vector<std::string>{"&Add", "&Change", "&Delete", "-", "Copy &Password",
                                               "Copy &User Name"}));
}

TEST_F(ListFixture, AResizedWindowKeepsTheHighlightedEntry) {
    makeDataFile(60);
    int page = 0, smaller = 0, chosen = 0, height = 0;
    std::vector<int> shown;
    rt::Robot robot;
    prepare(robot);
    login(robot)
        .run("make the window taller",
             [&](rt::Window& w) {
                 smaller = pageSize(w);
                 height = w.height();
                 w.resize(w.width(), height + 80);
             })
        .check("more rows", [&](rt::Window& w) { return pageSize(w) > smaller && pageFull(w); })
        .run("highlight the last row but one",
             [&](rt::Window& w) {
                 page = pageSize(w);
                 chosen = page - 1;
                 w.setProperty(MainList, rt::Prop::Selected, chosen);
                 w.post(rt::EventNewSelection, MainList);
             })
        .check("highlighted", [&](rt::Window& w) { return highlighted(w) == chosen; })
        .run("make the window lower again", [&](rt::Window& w) { w.resize(w.width(), height); })
        .check("fewer rows", [&](rt::Window& w) { return pageSize(w) == smaller && pageFull(w); })
        .check("the same entry", [&](rt::Window& w) { return highlighted(w) == chosen; })
        .run("read the page", [&](rt::Window& w) { shown = shownIds(w); })
        .screenshot("main-list-resized.png")
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    ASSERT_GT(smaller, 0);
    // The rows the list lost left from the top.
    EXPECT_EQ(shown, idsFrom(page - smaller + 1, smaller));
}

TEST_F(ListFixture, AnEntryChangedByAnotherProcessIsReportedAndShownAnew) {
    makeDataFile(30);
    std::string message, password;
    rt::Robot robot;
    login(robot)
        .clickRow(MainList, 3)
        .check("the third entry", [](rt::Window& w) { return highlighted(w) == 3; })
        .run("another process changes its password",
             [](rt::Window&) {
                 int code = keyedtest::inChild([] {
                     // A station of its own, as a second copy of the program has.
                     rt::KeyedStation station;
                     auto other = std::make_unique<PasswordsFile>(&station);
                     other->Primary_ID = 3;
                     if (other->File.open() != 0 || other->File.get(0) != 0) return 1;
                     other->Password = "Xchanged9";
                     return other->File.put() == 0 ? 0 : 2;
                 });
                 ASSERT_EQ(code, 0);
             })
        .press(MainChange)
        .answerMessageBox(rt::ButtonOk, &message)
        .check("shown anew", [](rt::Window& w) { return cell(w, 3, 4) == "Xchanged9"; })
        .check("still highlighted", [](rt::Window& w) { return highlighted(w) == 3; })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_NE(message.find("changed or deleted by another station"), std::string::npos) << message;
    EXPECT_EQ(sql("SELECT Password FROM Password WHERE Primary_ID = 3"),
              std::vector<std::string>{"Xchanged9"});
}

TEST_F(ListFixture, AHundredThousandEntriesPageFromAnywhere) {
    makeDataFile(100000);
    std::vector<int> first, last, located, dragged, paged;
    int page = 0, draggedTo = 0;
    rt::Robot robot;
    prepare(robot);
    login(robot)
        .check("the page is full", pageFull)
        .run("read the first page",
             [&](rt::Window& w) {
                 first = shownIds(w);
                 page = pageSize(w);
             })
        .key(rt::CtrlEnd, MainList)
        .check("the last entry", [](rt::Window& w) { return highlighted(w) == 100000; })
        .run("read the page", [&](rt::Window& w) { last = shownIds(w); })
        .key(rt::CtrlHome, MainList)
        .check("the first entry", [](rt::Window& w) { return highlighted(w) == 1; })
        .typeKeys(MainList, "5")
        .check("the entry number 5", [](rt::Window& w) { return highlighted(w) == 5; })
        .run("read the page", [&](rt::Window& w) { located = shownIds(w); })
        .dragThumb(MainList, 37)
        .check("moved", [](rt::Window& w) { return highlighted(w) > 1000; })
        .run("read the page",
             [&](rt::Window& w) {
                 dragged = shownIds(w);
                 draggedTo = highlighted(w);
             })
        .key(rt::PgDnKey, MainList)
        .check("a page on", [&](rt::Window& w) { return highlighted(w) == draggedTo + page; })
        .run("read the page", [&](rt::Window& w) { paged = shownIds(w); })
        .screenshot("main-list-100k.png")
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(first, idsFrom(1, page));
    EXPECT_EQ(last, lastIds(page));
    ASSERT_FALSE(located.empty());
    EXPECT_EQ(located, idsFrom(located.front(), page));
    // 37 % of the way from the first entry to the last, as whole numbers,
    // sought with the rest of the key (the title) as the buffer held it.
    int wanted = 1 + static_cast<int>((100000 - 1) * 37.0 / 100);
    EXPECT_EQ(draggedTo,
              sqlIds("SELECT Primary_ID FROM Password WHERE Primary_ID > " +
                     std::to_string(wanted) + " OR (Primary_ID = " + std::to_string(wanted) +
                     " AND Title >= (SELECT Title FROM Password WHERE Primary_ID = 5)) "
                     "ORDER BY Primary_ID, Title LIMIT 1")
                  .front());
    EXPECT_EQ(dragged, idsFrom(dragged.front(), page));
    EXPECT_EQ(paged, idsFrom(dragged.front() + page, page));
}
