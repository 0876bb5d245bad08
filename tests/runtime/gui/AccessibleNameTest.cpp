// What a screen reader hears of a window's controls: every control that takes
// the focus or can be pressed has a name made of what a person sees, and a
// page-loaded list says which record is highlighted when the browse reads
// other records under the same row. (The table view's own announcement of a
// highlight that moves is heard over the accessibility bus in tests/a11y.)
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QWidget>
#include <vector>

#include "runtime/controls/AccessibleName.h"
#include "runtime/controls/Control.h"
#include "runtime/controls/ListControl.h"
#include "runtime/gui/Window.h"

using namespace rt;

namespace {

constexpr char kFormat[] = "80L(2)|M~Title~@s20@60L(2)|M~User Name~@s20@";

enum {
    kPrompt = 1,
    kEntry,
    kSave,
    kPick,
    kLink,
    kUnnamedImage,
    kCheck,
    kListPrompt,
    kList,
    kNamedList,
};

WindowDeclaration form() {
    WindowDeclaration d;
    d.caption = "Form";
    d.width = 300;
    d.height = 200;
    d.controls = {
        control(ControlKind::Prompt, "&User Name:").at(4, 4),
        control(ControlKind::Entry).at(60, 4, 100, 12),
        control(ControlKind::Button, "&Save && Close").at(4, 20, 60, 14).tipText("Keep it"),
        control(ControlKind::Button, "...").at(70, 20, 16, 14).tipText("Choose the date"),
        control(ControlKind::Image).at(90, 20, 14, 14).iconName("Add.ico").tipText("Go there"),
        control(ControlKind::Button).at(110, 20, 16, 14).iconName("Add.ico"),
        control(ControlKind::Check, "&Remember").at(130, 20, 60, 12),
        control(ControlKind::Prompt, "Records:").at(4, 40),
        control(ControlKind::List).at(4, 50, 200, 60).listFormat(kFormat).with(FlagPageLoaded),
        control(ControlKind::List, "Messages").at(4, 120, 200, 60).listFormat(kFormat),
    };
    return d;
}

QWidget* targetOf(const Window& w, int control) {
    return w.TEST_control(control)->focusTarget();
}

QString nameOf(QWidget* widget) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}

std::vector<std::vector<Value>> page(const std::vector<const char*>& titles) {
    std::vector<std::vector<Value>> rows;
    for (const char* t : titles) rows.push_back({Value(std::string("  ") + t), Value("ada")});
    return rows;
}

}  // namespace

TEST(AccessibleNameTest, ReadsTextsWithoutMnemonicMarksAndSkipsPunctuation) {
    EXPECT_EQ(withoutMnemonic("&Save"), "Save");
    EXPECT_EQ(withoutMnemonic("Fish && Chips"), "Fish & Chips");
    EXPECT_EQ(withoutMnemonic("Odd &"), "Odd &");
    EXPECT_EQ(accessibleNameFrom("&Password:", "", "a tip"), "Password:");
    EXPECT_EQ(accessibleNameFrom("", "...", "Choose the date"), "Choose the date");
    EXPECT_EQ(accessibleNameFrom("", " &OK ", "Accept"), "OK");
    EXPECT_EQ(accessibleNameFrom("", "", ""), "");
}

TEST(AccessibleNameTest, EveryControlIsNamedByWhatAPersonSees) {
    Window w(form());
    w.open();
    EXPECT_EQ(nameOf(targetOf(w, kEntry)), "User Name:") << "an entry is named by its prompt";
    EXPECT_EQ(nameOf(targetOf(w, kSave)), "Save & Close");
    EXPECT_EQ(nameOf(targetOf(w, kPick)), "Choose the date") << "\"...\" says nothing";
    EXPECT_EQ(nameOf(targetOf(w, kLink)), "Go there") << "an image is named by its tip";
    EXPECT_EQ(nameOf(targetOf(w, kCheck)), "Remember");
    EXPECT_EQ(nameOf(targetOf(w, kList)), "Records:") << "a list is named by its prompt";
    EXPECT_EQ(nameOf(targetOf(w, kNamedList)), "Messages");
    EXPECT_EQ(nameOf(targetOf(w, kUnnamedImage)), "") << "nothing to go by: no made-up name";

    w.setText(kSave, "&Keep");
    w.setProperty(kLink, Prop::Tip, Value("Open the site"));
    EXPECT_EQ(nameOf(targetOf(w, kSave)), "Keep") << "a new text renames the button";
    EXPECT_EQ(nameOf(targetOf(w, kLink)), "Open the site") << "a new tip renames the image";
}

TEST(AccessibleNameTest, ListCellsAndHeadersAreReadWithoutTheirIndent) {
    Window w(form());
    w.open();
    w.setListRows(kList, page({"Bank", "Mail"}));
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(targetOf(w, kList));
    ASSERT_NE(list, nullptr);
    QAccessibleTableInterface* table = list->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->columnCount(), 2);
    EXPECT_EQ(table->cellAt(1, 0)->text(QAccessible::Name), "Mail");
    EXPECT_EQ(table->cellAt(1, 1)->text(QAccessible::Name), "ada");
    EXPECT_EQ(table->columnDescription(1), "User Name");
}

TEST(AccessibleNameTest, APageLoadedListAnnouncesANewRecordUnderTheSameHighlight) {
    Window w(form());
    w.open();
    QWidget* top = static_cast<QWidget*>(w.TEST_widget());
    top->activateWindow();
    QApplication::setActiveWindow(top);
    w.select(kList);
    QApplication::processEvents();
    ASSERT_TRUE(targetOf(w, kList)->hasFocus());

    // The list shows its queue, as the browse's list does.
    auto queue = page({"Bank", "Mail", "Shop"});
    w.setListRowsSource(kList, [&] { return queue; });
    w.display(kList);
    w.setProperty(kList, Prop::Selected, Value(3));
    std::vector<std::string> heard;
    auto old = ListControl::TEST_setAnnounceHook([&](int row, const std::string& text) {
        heard.push_back(std::to_string(row) + ":" +
                        QString::fromStdString(text).simplified().toStdString());
    });
    // The browse scrolls one record down: other records in the same rows,
    // the highlight stays on the third.
    queue = page({"Mail", "Shop", "Work"});
    w.display(kList);
    // Shown again with nothing new: nothing to say.
    w.display(kList);
    // The highlight moves (the table view says so itself), then the page
    // goes one up under it.
    w.setProperty(kList, Prop::Selected, Value(1));
    queue = page({"Bank", "Mail", "Shop"});
    w.display(kList);
    // Away from the list, its changes are not the focus's news.
    w.select(kEntry);
    QApplication::processEvents();
    queue = page({"Cafe", "Bank", "Mail"});
    w.display(kList);
    ListControl::TEST_setAnnounceHook(old);

    EXPECT_EQ(heard, (std::vector<std::string>{"3:Work ada", "1:Bank ada"}));
}
