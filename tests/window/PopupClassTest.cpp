// Context menus kept as named items: naming, nesting, the menu string the
// runtime shows, mimicked buttons, and what a person's choice posts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/host/Assert.h"
#include "runtime/gui/PopupMenu.h"
#include "runtime/robot/Robot.h"
#include "runtime/gui/Window.h"
#include "window/PopupClass.h"

using namespace rt;

namespace {

enum { kAdd = 1, kBare = 2, kName = 3, kMenu = 4 };

WindowDeclaration ownerWindow(const std::string& caption) {
    WindowDeclaration d;
    d.caption = caption;
    d.width = 180;
    d.height = 40;
    d.controls = {
        control(ControlKind::Button, "&Add").at(4, 4, 40, 14),
        control(ControlKind::Button).at(48, 4, 40, 14),
        control(ControlKind::Entry).at(92, 4, 40, 12),
        control(ControlKind::Button, "Menu").at(136, 4, 40, 14),
    };
    return d;
}

// Collects assertion messages while it lives.
class AssertSpy {
  public:
    AssertSpy() {
        old_ = setAssertHandler([this](const std::string& message, const std::string&, int) {
            seen.push_back(message);
        });
    }
    ~AssertSpy() { setAssertHandler(old_); }
    std::vector<std::string> seen;

  private:
    AssertHandler old_;
};

}  // namespace

TEST(PopupClassTest, NamesAreMadeUniqueFromTheText) {
    PopupClass popup;
    popup.Init();
    EXPECT_EQ(popup.AddItem("&Insert"), "Insert");
    EXPECT_EQ(popup.AddItem("&Insert"), "Insert1");
    EXPECT_EQ(popup.AddItem("In&sert"), "Insert2");
    EXPECT_EQ(popup.AddItem("-"), "Separator");
    EXPECT_EQ(popup.AddItem("-"), "Separator1");
    EXPECT_EQ(popup.AddItem("Sort by name_2"), "Sortbyname_2");
    // A text with nothing to name it by still gets a name that is not the
    // empty answer of a dismissed menu.
    EXPECT_EQ(popup.AddItem("..."), "Item");
    EXPECT_EQ(popup.GetItems(0), 7);
}

TEST(PopupClassTest, MarkersBeforeTheTextSetStateAndSeparatorsKeepTheirDash) {
    PopupClass popup;
    popup.Init();
    popup.AddItem("~+Bold");
    popup.AddItem("-Italic");
    popup.AddItem("-");
    popup.AddItem("~Plain~");
    const auto& rows = *popup.PopupItems;
    EXPECT_EQ(rows[0].Text, "Bold");
    EXPECT_EQ(rows[0].Disabled, 1);
    EXPECT_EQ(rows[0].Check, 1);
    EXPECT_EQ(rows[1].Text, "Italic");
    EXPECT_EQ(rows[1].Check, 2);
    EXPECT_EQ(rows[2].Text, "-");
    EXPECT_EQ(rows[2].Check, 0);
    EXPECT_EQ(rows[3].Text, "Plain~");
    EXPECT_EQ(popup.GetMenuText(), "|~+Bold|-Italic|-|~Plain~");
}

TEST(PopupClassTest, MenuTextNestsSubmenusAndCountsOnlyChoosableRows) {
    PopupClass popup;
    popup.Init();
    popup.AddItem("Old");
    popup.AddMenu("File{Open|Close}|Exit", 0);
    const auto& rows = *popup.PopupItems;
    ASSERT_EQ(rows.size(), 4u);  // position 0 starts afresh
    std::vector<std::pair<std::string, int>> shape;
    for (const PopupItem& r : rows) shape.emplace_back(r.Text, r.Depth);
    EXPECT_EQ(shape, (std::vector<std::pair<std::string, int>>{
                         {"File", 1}, {"Open", 2}, {"Close", 2}, {"Exit", 1}}));
    EXPECT_EQ(popup.GetName(0), "");
    EXPECT_EQ(popup.GetName(1), "Open");
    EXPECT_EQ(popup.GetName(2), "Close");
    EXPECT_EQ(popup.GetName(3), "Exit");
    EXPECT_EQ(popup.GetName(4), "");
    EXPECT_EQ(popup.GetItems(1), 3);
    std::string menu = popup.GetMenuText();
    EXPECT_EQ(menu, "|File{Open|Close}Exit");
    // The runtime reads the string back into the same numbering.
    PopupMenu shown(menu);
    EXPECT_EQ(shown.selectableCount(), 3);
    EXPECT_EQ(shown.items()[3].text, "Exit");
    EXPECT_EQ(shown.items()[3].number, 3);
}

TEST(PopupClassTest, ItemsGoAfterTheirPrecedingItem) {
    PopupClass popup;
    popup.Init();
    popup.AddItem("&Insert");
    popup.AddItem("&Delete");
    popup.AddItem("&Change", "Change", "Insert", 0);
    popup.AddSubMenu("Sort  ", "By name|By date  ", "Change");
    popup.AddItem("Reverse", "Reverse", "Byname", 0);
    std::vector<std::string> order;
    for (const PopupItem& r : *popup.PopupItems)
        order.push_back(r.Name + "/" + std::to_string(r.Depth));
    EXPECT_EQ(order, (std::vector<std::string>{"Insert/1", "Change/1", "Sort/1", "Byname/2",
                                               "Reverse/2", "Bydate/2", "Delete/1"}));
    EXPECT_EQ(popup.GetMenuText(), "|&Insert|&Change|Sort{By name|Reverse|By date}&Delete");
}

TEST(PopupClassTest, MisuseIsReportedAsAProgrammingError) {
    AssertSpy spy;
    PopupClass popup;
    popup.Init();
    EXPECT_EQ(popup.AddItem("Open {recent}"), "");
    EXPECT_EQ(popup.GetItems(0), 0);
    ASSERT_EQ(spy.seen.size(), 1u);

    popup.AddMenu("A}|B", 0);
    EXPECT_EQ(spy.seen.size(), 2u);
    // The menu goes on at the top level.
    ASSERT_EQ(popup.GetItems(0), 2);
    EXPECT_EQ((*popup.PopupItems)[1].Depth, 1);

    popup.AddMenu("", 0);
    EXPECT_EQ(spy.seen.size(), 3u);
    EXPECT_EQ(popup.GetItems(0), 2);
}

TEST(PopupClassTest, SettersAddressItemsByNameAndLeaveSeparatorsAlone) {
    PopupClass popup;
    popup.Init();
    popup.AddMenu("Cut|-|Paste", 0);
    popup.SetItemEnable("Separator", false);
    popup.SetItemEnable("Paste", false);
    popup.SetItemEnable("Nothing", false);
    EXPECT_EQ((*popup.PopupItems)[1].Disabled, 0);
    EXPECT_EQ(popup.GetMenuText(), "|Cut|-|~Paste");
    popup.SetItemEnable("Paste", true);
    popup.SetIcon("Cut", "Cut.ico");
    // With any icon in the menu, every line but a separator carries the
    // attribute list; only the one with an icon names it.
    EXPECT_EQ(popup.GetMenuText(), "|[31848(~Cut.ico),31290(0)]Cut|-|[31290(0)]Paste");
    popup.Translator = [](const std::string& text) { return text == "Cut" ? "Couper" : text; };
    EXPECT_EQ(PopupMenu(popup.GetMenuText()).items()[0].text, "Couper");
    popup.DeleteItem("Cut");
    EXPECT_EQ(popup.GetName(1), "Paste");
}

TEST(PopupClassTest, MimicsShowTheButtonsCaptionStateAndIcon) {
    Window w(ownerWindow("Mimic"));
    w.open();
    AssertSpy spy;
    PopupClass popup;
    popup.Init(&w);
    popup.AddItemMimic("Insert", kAdd, "!&Insert");
    popup.AddItemMimic("Other", kBare, "!&Insert");
    EXPECT_EQ(popup.AddItemMimic("Entry", kName), "");
    EXPECT_EQ(spy.seen.size(), 1u);
    EXPECT_EQ(popup.GetMenuText(), "|&Add|&Insert");

    // The item follows the button until the program decides for it.
    w.disable(kAdd);
    EXPECT_EQ(popup.GetMenuText(), "|~&Add|&Insert");
    w.enable(kAdd);
    EXPECT_EQ(popup.GetMenuText(), "|&Add|&Insert");
    popup.SetItemEnable("Insert", false);
    EXPECT_EQ(popup.GetMenuText(), "|~&Add|&Insert");

    w.setProperty(kBare, Prop::Icon, "Add.ico");
    EXPECT_EQ(popup.GetMenuText(), "|~[31290(0)]&Add|[31848(~Add.ico),31290(0)]&Insert");
}

TEST(PopupClassTest, ChoosingPostsTheItemsEventAndDismissingPostsNothing) {
    Window w(ownerWindow("Choose"));
    PopupClass popup;
    popup.Init(&w);
    popup.AddItemMimic("Insert", kAdd, "!&Insert");
    popup.AddItemEvent("&Rename", EventNotify, kName);
    popup.AddItem("-");
    popup.AddItem("&Plain");

    Robot robot;
    robot.waitForWindow("Choose")
        .press(kMenu)
        .choosePopupItem("Add")
        .press(kMenu)
        .choosePopupItem("Rename")
        .press(kMenu)
        .choosePopupItem("Plain")
        .press(kMenu)
        .dismissPopup()
        .closeWindow()
        .start();
    std::vector<std::string> answers;
    std::vector<int> numbers;
    std::vector<std::string> after;  // what reached the window after each menu
    bool menuJustShown = false;
    while (WindowEvent e = w.accept()) {
        bool focus =
            e.event == EventSelected || e.event == EventGainFocus || e.event == EventLoseFocus;
        if (menuJustShown && !focus) {
            after.push_back(std::to_string(e.event) + "/" + std::to_string(e.control));
            menuJustShown = false;
        }
        if (e.event == EventAccepted && e.control == kMenu) {
            answers.push_back(popup.Ask());
            numbers.push_back(popup.LastNumberSelection);
            EXPECT_EQ(popup.GetLastSelection(), answers.back());
            w.post(EventResizeCue);
            menuJustShown = true;
        }
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(answers, (std::vector<std::string>{"Insert", "Rename", "Plain", ""}));
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 0}));
    // An item's event arrives before anything posted after the menu closed.
    EXPECT_EQ(after, (std::vector<std::string>{"1/1", "522/3", "1023/0", "1023/0"}));
}
