// The entries' right-click menu as a person meets it: which items are
// offered on which entry, and what Copy, Cut, Paste and Undo do to the entry,
// its variable and the clipboard.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/gui/Clipboard.h"
#include "runtime/gui/Window.h"
#include "runtime/robot/Robot.h"
#include "runtime/text/FixedText.h"
#include "util/VSClipboardClass.h"

using namespace rt;

namespace {

enum {
    kName = 1,
    kSecret = 2,
    kFixed = 3,
    kList = 4,
    kNotes = 5,
    kClose = 6,
    kOther = 7,
    kLong = 8
};

struct Form {
    String<40> name;
    String<20> secret;
    String<20> fixed{"Fixed text"};
    String<20> other;
    std::string notes;
};

WindowDeclaration form(Form& f) {
    WindowDeclaration d;
    d.caption = "Clipboard";
    d.width = 200;
    d.height = 120;
    d.controls = {
        control(ControlKind::Entry).at(4, 4, 120, 12).bind(f.name, "@s40"),
        control(ControlKind::Entry).at(4, 20, 120, 12).bind(f.secret, "@s20").with(FlagMasked),
        control(ControlKind::Entry).at(4, 36, 120, 12).bind(f.fixed, "@s20").with(FlagReadOnly),
        control(ControlKind::List).at(130, 4, 60, 40).listFormat("40L(2)|M~Title~@s20@"),
        control(ControlKind::Text).at(4, 52, 120, 30).bind(f.notes),
        control(ControlKind::Button, "Close").at(130, 90, 40, 14),
        control(ControlKind::Entry).at(4, 90, 120, 12).bind(f.other, "@s20"),
        control(ControlKind::Entry).at(4, 106, 120, 12),
    };
    return d;
}

// Characters first to last of an entry selected (last < first: the caret
// stands before first).
std::function<void(Window&)> selectChars(int entry, int first, int last) {
    return [=](Window& w) {
        w.setProperty(entry, Prop::SelStart, first);
        w.setProperty(entry, Prop::SelEnd, last);
    };
}

class VSClipboardClassTest : public ::testing::Test {
  protected:
    void SetUp() override { setClipboardText("abc"); }

    // Runs the form with the clipboard menu offered every event first, as
    // the program's windows do; counts the events it handled.
    void run(Robot& robot) {
        robot.closeWindow().start();
        Window w(form(f));
        w.open();
        clip.Init(w);
        while (WindowEvent e = w.accept()) {
            int took = clip.TakeEvent();
            answers.push_back(took);
            handled += took;
            if (!took && e.event == EventAlertKey) unhandledAlerts.push_back(e.control);
        }
        ASSERT_TRUE(robot.runNow()) << robot.failure();
    }

    Form f;
    VSClipboardClass clip;
    std::vector<int> answers;
    std::vector<int> unhandledAlerts;
    int handled = 0;
};

}  // namespace

TEST_F(VSClipboardClassTest, EachKindOfEntryOffersWhatItAllows) {
    struct Row {
        int entry;
        std::vector<std::string> items;
    };
    std::vector<Row> rows = {
        {kName, {"&Copy", "&Paste (abc)", "Cu&t", "-", "~&Undo"}},
        {kSecret, {"~&Copy", "&Paste (abc)", "~Cu&t", "-", "~&Undo"}},
        {kFixed, {"&Copy", "~&Paste (abc)", "~Cu&t", "-", "~&Undo"}},
    };
    std::vector<std::vector<std::string>> seen(rows.size());
    Robot robot;
    robot.waitForWindow("Clipboard").type(kName, "Hello").type(kSecret, "hunter2");
    for (size_t i = 0; i < rows.size(); ++i)
        robot.rightClick(rows[i].entry).readPopupItems(&seen[i]).dismissPopup();
    run(robot);
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(seen[i], rows[i].items) << "entry " << i;
    EXPECT_EQ(handled, 0);
    // A dismissed menu leaves the right click to the window.
    EXPECT_EQ(unhandledAlerts, (std::vector<int>{kName, kSecret, kFixed}));
}

TEST_F(VSClipboardClassTest, ABlankEntryAndAnEmptyClipboardOfferNothingButGreyItems) {
    setClipboardText("");
    std::vector<std::string> seen;
    Robot robot;
    robot.waitForWindow("Clipboard").rightClick(kName).readPopupItems(&seen).dismissPopup();
    run(robot);
    EXPECT_EQ(seen, (std::vector<std::string>{"~&Copy", "~&Paste ()", "~Cu&t", "-", "~&Undo"}));
}

TEST_F(VSClipboardClassTest, OnlyEntriesGetTheMenu) {
    Robot robot;
    robot.waitForWindow("Clipboard")
        .run("alert the right button everywhere",
             [](Window& w) {
                 for (int c : {kList, kNotes, kClose}) w.alert(MouseRight, c);
             })
        .rightClick(kList)
        .rightClick(kNotes)
        .rightClick(kClose);
    run(robot);
    EXPECT_EQ(unhandledAlerts, (std::vector<int>{kList, kNotes, kClose}));
    EXPECT_TRUE(clip.PopupMenu.empty());
}

TEST_F(VSClipboardClassTest, CopyAndCutTakeTheSelectionOrFromTheCaretToTheEnd) {
    Robot robot;
    robot.waitForWindow("Clipboard")
        .type(kName, "Hello world")
        .run("select Hello", selectChars(kName, 1, 5))
        .rightClick(kName)
        .choosePopupItem("Copy")
        .check("Hello copied", [](Window&) { return clipboardText() == "Hello"; })
        .run("caret before world", selectChars(kName, 7, 0))
        .rightClick(kName)
        .choosePopupItem("Copy")
        .check("world copied", [](Window&) { return clipboardText() == "world"; })
        .run("caret before world", selectChars(kName, 7, 0))
        .rightClick(kName)
        .choosePopupItem("Cut")
        .check("world cut", [](Window& w) { return w.text(kName) == "Hello "; });
    run(robot);
    EXPECT_EQ(clipboardText(), "world");
    EXPECT_EQ(f.name, "Hello");
    EXPECT_EQ(handled, 3);
}

TEST_F(VSClipboardClassTest, CopyOrCutOfNothingLeavesTheClipboardAndTheEntryAsTheyWere) {
    Robot robot;
    robot.waitForWindow("Clipboard")
        .type(kName, "Hello")
        .run("caret after the text", selectChars(kName, 6, 0))
        .rightClick(kName)
        .choosePopupItem("Copy")
        .run("caret after the text", selectChars(kName, 6, 0))
        .rightClick(kName)
        .choosePopupItem("Cut");
    run(robot);
    EXPECT_EQ(clipboardText(), "abc");
    EXPECT_EQ(f.name, "Hello");
}

TEST_F(VSClipboardClassTest, PasteReplacesTheSelectionAndUndoPutsEverythingBack) {
    Robot robot;
    robot.waitForWindow("Clipboard")
        .type(kName, "one two three")
        .run("select two", selectChars(kName, 5, 7))
        .rightClick(kName)
        .choosePopupItem("Paste (abc)")
        .check("abc pasted", [](Window& w) { return w.text(kName) == "one abc three"; })
        .run("the clipboard changes", [](Window&) { setClipboardText("later"); })
        .rightClick(kOther)
        .dismissPopup()
        .rightClick(kOther)
        .choosePopupItem("Undo")
        .check("undone", [](Window& w) { return w.text(kName) == "one two three"; })
        .rightClick(kOther)
        .choosePopupItem("Undo");
    run(robot);
    // The undo state stays: a second Undo restores the same again.
    EXPECT_EQ(f.name, "one two three");
    EXPECT_EQ(clipboardText(), "abc");
    EXPECT_EQ(clip.LastField, kName);
    clip.Kill();
    EXPECT_EQ(clip.LastField, 0);
    EXPECT_EQ(clip.LastThread, 0);
}

TEST_F(VSClipboardClassTest, LongContentsAreCopiedAndKeptForUndoUpTo1024Characters) {
    std::string saved;
    Robot robot;
    robot.waitForWindow("Clipboard")
        .run("fill the entry", [](Window& w) { w.setText(kLong, std::string(1500, 'x')); })
        .run("select it all", selectChars(kLong, 1, 1500))
        .rightClick(kLong)
        .choosePopupItem("Copy")
        .run("read what Undo would restore", [&](Window&) { saved = clip.LastContents; });
    run(robot);
    EXPECT_EQ(clipboardText(), std::string(1024, 'x'));
    EXPECT_EQ(saved, std::string(1024, 'x'));
}

TEST_F(VSClipboardClassTest, TheSampleIsCleanedAndCutToFitTheMenu) {
    setClipboardText("   |abcdefghij~klmnopqrstuvwxyz{0123}456789");
    std::vector<std::string> seen;
    Robot robot;
    robot.waitForWindow("Clipboard")
        .type(kName, "x")
        .rightClick(kName)
        .readPopupItems(&seen)
        .dismissPopup();
    run(robot);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[1], "&Paste (abcdefghijklmnopqrstuv...)");
    EXPECT_EQ(clip.Sample, "abcdefghijklmnopqrstuv...");
}

TEST_F(VSClipboardClassTest, MenuStringNamesEveryItemInOrder) {
    clip.SetMenuText();
    clip.Sample = "abc   ";
    clip.SetPopupMenu(true, true, true);
    EXPECT_EQ(clip.PopupMenu, "&Copy|&Paste (abc)|Cu&t|-|~&Undo");
    clip.SetPopupMenu(false, false, false);
    EXPECT_EQ(clip.PopupMenu, "~&Copy|~&Paste (abc)|~Cu&t|-|~&Undo");
}
