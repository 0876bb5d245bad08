// The program's windows as a user handles them: the focus highlight, sizing.
#include <array>

#include "runtime/controls/Events.h"
#include "runtime/text/FixedText.h"
#include "runtime/controls/Prop.h"
#include "tests/app/ProgramFixture.h"

using namespace program;

namespace {

constexpr int kYellow = 65535;

bool highlighted(const rt::Window& w, int control) {
    return w.property(control, rt::Prop::Color).number() == kYellow &&
           w.property(control, rt::Prop::FontStyle).number() == 700;
}

using Place = std::array<int, 4>;

Place placeOf(const rt::Window& w, int control) {
    auto get = [&](rt::Prop p) { return static_cast<int>(w.property(control, p).number()); };
    return {get(rt::Prop::XPos), get(rt::Prop::YPos), get(rt::Prop::Width), get(rt::Prop::Height)};
}

}  // namespace

TEST_F(ProgramFixture, TheHighlightFollowsTabAndFormsResizeWithoutDrift) {
    Place name{}, master{}, list{};
    int formWidth = 0, formHeight = 0, mainWidth = 0, mainHeight = 0;
    rt::Robot robot;
    prepare(robot);
    robot.waitForWindow(kLoginCaption)
        .check("the entry is highlighted", [](rt::Window& w) { return highlighted(w, LoginEntry); })
        .press(LoginButton)
        .waitForWindow(kNewSystemCaption)
        .check("the name is highlighted", [](rt::Window& w) { return highlighted(w, SysName); })
        .key(rt::TabKey)
        .check("the highlight moved to the address",
               [](rt::Window& w) { return highlighted(w, SysAddress) && !highlighted(w, SysName); })
        .run("note the layout and enlarge the form",
             [&](rt::Window& w) {
                 name = placeOf(w, SysName), master = placeOf(w, SysMaster);
                 formWidth = w.width(), formHeight = w.height();
                 w.resize(formWidth + 120, formHeight + 60);
             })
        .check("the controls followed",
               [&](rt::Window& w) { return placeOf(w, SysMaster) != master; })
        .check("the highlight is still on the address",
               [](rt::Window& w) { return highlighted(w, SysAddress); })
        .screenshot("system-form-enlarged.png")
        .run("back to the first size", [&](rt::Window& w) { w.resize(formWidth, formHeight); })
        .check("every control is back in its place",
               [&](rt::Window& w) {
                   return placeOf(w, SysName) == name && placeOf(w, SysMaster) == master;
               })
        .run("shrink below the first size",
             [&](rt::Window& w) { w.resize(formWidth / 2, formHeight / 2); })
        .check("the first size is the smallest",
               [&](rt::Window& w) { return w.width() >= formWidth && w.height() >= formHeight; })
        .type(SysMaster, "Sz")
        .press(SysOk)
        .waitForWindow(kMainCaption)
        .run("enlarge the main window",
             [&](rt::Window& w) {
                 list = placeOf(w, MainList);
                 mainWidth = w.width(), mainHeight = w.height();
                 w.resize(mainWidth + 200, mainHeight + 100);
             })
        .check("the list grew", [&](rt::Window& w) { return placeOf(w, MainList)[2] > list[2]; })
        .run("back", [&](rt::Window& w) { w.resize(mainWidth, mainHeight); })
        .check("the list is as it was", [&](rt::Window& w) { return placeOf(w, MainList) == list; })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
}

TEST_F(ProgramFixture, EntriesOfferTheClipboardMenuButAMaskedOneKeepsItsText) {
    const std::string name = "Ada Example of a Rather Long Name";
    std::vector<std::string> addressMenu, loginMenu;
    rt::Robot robot;
    robot.waitForWindow(kLoginCaption)
        .press(LoginButton)
        .waitForWindow(kNewSystemCaption)
        .type(SysName, name)
        .run("select the whole name",
             [&](rt::Window& w) {
                 w.setProperty(SysName, rt::Prop::SelStart, 1);
                 w.setProperty(SysName, rt::Prop::SelEnd, static_cast<int>(name.size()));
             })
        .rightClick(SysName)
        .choosePopupItem("Copy")
        .rightClick(SysAddress)
        .readPopupItems(&addressMenu)
        .choosePopupItem("Paste (Ada Example of a Rathe...)")
        .check("the name was pasted into the address",
               [&](rt::Window& w) { return rt::rightTrim(w.text(SysAddress)) == name; })
        .type(SysMaster, "Tr1cky")
        .press(SysOk)
        .waitForWindow(kMainCaption)
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(addressMenu, (std::vector<std::string>{"~&Copy", "&Paste (Ada Example of a Rathe...)",
                                                     "~Cu&t", "-", "&Undo"}));

    rt::Robot next;
    next.waitForWindow(kLoginCaption)
        .type(LoginEntry, "Tr1cky")
        .rightClick(LoginEntry)
        .readPopupItems(&loginMenu)
        .dismissPopup()
        .press(LoginButton)
        .waitForWindow(kMainCaption)
        .press(MainExit);
    EXPECT_EQ(runProgram(next), 0);
    ASSERT_EQ(loginMenu.size(), 5u);
    EXPECT_EQ(loginMenu[0], "~&Copy") << "a masked entry never gives its text away";
    EXPECT_EQ(loginMenu[2], "~Cu&t");
    EXPECT_TRUE(halts.empty());
}
