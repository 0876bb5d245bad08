// The real program as a screen reader user meets it, over the accessibility
// bus: every window it opens on a first run and after (login, settings form,
// main window and its list, credential form with both tabs, date picker,
// about window) names each control a person can reach, by its prompt, text or
// tip, with a role that says what it is; the list's headers and rows read as
// the data file holds them; and moving the highlight in the list is
// announced. Keys are typed through the display server as a person would.
// Runs under run-on-a11y-bus.sh, which starts the display and the buses.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/a11y/AccessibleNode.h"
#include "tests/a11y/RunningProgram.h"
#include "tests/a11y/ScreenReader.h"
#include "tests/support/SqlShell.h"
#include "tests/support/TempDir.h"

using a11y::AccessibleNode;

namespace {

// A loaded machine may take long to start the program or derive a key.
constexpr int kWait = 60000;
constexpr char kMaster[] = "Sesame42";

// Roles a person can act on.
const std::set<AtspiRole> kActionable = {
    ATSPI_ROLE_PUSH_BUTTON, ATSPI_ROLE_CHECK_BOX,     ATSPI_ROLE_RADIO_BUTTON, ATSPI_ROLE_ENTRY,
    ATSPI_ROLE_TEXT,        ATSPI_ROLE_PASSWORD_TEXT, ATSPI_ROLE_TABLE,        ATSPI_ROLE_PAGE_TAB,
    ATSPI_ROLE_IMAGE,       ATSPI_ROLE_SCROLL_BAR,
};
// Roles that say nothing of what a control does.
const std::set<AtspiRole> kMeaningless = {
    ATSPI_ROLE_INVALID, ATSPI_ROLE_UNKNOWN,          ATSPI_ROLE_FILLER,
    ATSPI_ROLE_PANEL,   ATSPI_ROLE_REDUNDANT_OBJECT, ATSPI_ROLE_EXTENDED,
};

bool actionable(const AccessibleNode& node) {
    return node.has(ATSPI_STATE_FOCUSABLE) || !node.actionNames().empty() ||
           kActionable.count(node.role()) != 0;
}

// What a screen reader could not tell a person about the showing controls
// below node: one line per control without a name or a meaningful role. A
// list's cells are read as rows, not here.
void collectGaps(const AccessibleNode& node, std::vector<std::string>& gaps) {
    for (const AccessibleNode& child : node.children()) {
        if (!child.has(ATSPI_STATE_SHOWING)) continue;
        if (actionable(child)) {
            if (child.name().empty()) gaps.push_back("no name: " + child.describe());
            if (kMeaningless.count(child.role())) gaps.push_back("no role: " + child.describe());
        }
        if (!child.isTable()) collectGaps(child, gaps);
    }
}

std::string gapsOf(const AccessibleNode& window) {
    std::vector<std::string> gaps;
    if (window.role() != ATSPI_ROLE_FRAME) gaps.push_back("not a window: " + window.describe());
    collectGaps(window, gaps);
    std::string text;
    for (const std::string& g : gaps) text += g + "\n";
    return text;
}

bool isEntryRole(AtspiRole role) {
    return role == ATSPI_ROLE_ENTRY || role == ATSPI_ROLE_TEXT || role == ATSPI_ROLE_PASSWORD_TEXT;
}

AccessibleNode entryNamed(const AccessibleNode& window, const std::string& prompt) {
    return a11y::findNode(window, [&](const AccessibleNode& n) {
        return isEntryRole(n.role()) && n.name() == prompt && n.has(ATSPI_STATE_SHOWING);
    });
}

AccessibleNode buttonNamed(const AccessibleNode& window, const std::string& name) {
    return a11y::findShowing(window, ATSPI_ROLE_PUSH_BUTTON, name);
}

// The prompts that must name entries, missing ones listed.
std::string promptsMissing(const AccessibleNode& window, const std::vector<std::string>& prompts) {
    std::string missing;
    for (const std::string& p : prompts)
        if (!entryNamed(window, p)) missing += "no entry named \"" + p + "\"\n";
    return missing;
}

std::string trimmed(const std::string& text) {
    auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

class ScreenReaderTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(reader.ok()) << "the accessibility bus cannot be joined";
        start();
    }

    // Starts the program in the test's folder and finds it on the bus.
    void start() {
        program = std::make_unique<a11y::RunningProgram>(LOCKORA_PROGRAM, dir.path());
        app = reader.waitForApplication(program->pid(), kWait);
        ASSERT_TRUE(app) << "the program never joined the accessibility bus";
    }

    AccessibleNode window(const std::string& caption) {
        AccessibleNode w = reader.waitForWindow(app, caption, kWait);
        EXPECT_TRUE(w) << "no window \"" << caption << "\"";
        return w;
    }

    // Moves the keyboard focus to node the way assistive tools do, or by a
    // click when the control does not take it so.
    bool focus(const AccessibleNode& node) {
        auto focused = [&] { return node.has(ATSPI_STATE_FOCUSED); };
        if (node.grabFocus() && reader.waitUntil(focused, 5000)) return true;
        return reader.click(node.extents()) && reader.waitUntil(focused, kWait);
    }

    // Types text into the empty entry prompt names, and waits until the
    // program has taken every key: a button pressed over the bus could
    // otherwise overtake the last keys.
    bool typeInto(const AccessibleNode& window, const std::string& prompt,
                  const std::string& text) {
        AccessibleNode entry = entryNamed(window, prompt);
        if (!entry || !focus(entry) || !reader.type(text)) return false;
        int typed = static_cast<int>(text.size());
        return reader.waitUntil([&] { return entry.characterCount() == typed; }, kWait);
    }

    bool press(const AccessibleNode& window, const std::string& button) {
        AccessibleNode b = buttonNamed(window, button);
        return b && b.act("Press");
    }

    bool closed(const AccessibleNode& w) {
        return reader.waitUntil([&] { return !w.has(ATSPI_STATE_SHOWING); }, kWait);
    }

    testsupport::TempDir dir;
    a11y::ScreenReader reader;
    std::unique_ptr<a11y::RunningProgram> program;
    AccessibleNode app;
};

}  // namespace

TEST_F(ScreenReaderTest, EveryWindowNamesItsControlsAndTheListAnnouncesItsHighlight) {
    // The login of a first run admits an empty password.
    AccessibleNode login = window("Enter the Master Password");
    ASSERT_TRUE(login);
    EXPECT_EQ(gapsOf(login), "");
    AccessibleNode password = entryNamed(login, "Password:");
    ASSERT_TRUE(password) << "the login's entry is not named by its prompt";
    EXPECT_EQ(password.role(), ATSPI_ROLE_PASSWORD_TEXT) << password.describe();
    EXPECT_TRUE(buttonNamed(login, "Login"));
    EXPECT_TRUE(buttonNamed(login, "Cancel")) << "the mark of \"&Cancel\" is read aloud";
    ASSERT_TRUE(focus(password));
    ASSERT_TRUE(reader.pressKey("Return"));

    // The settings form then asks for the owner and a master password.
    AccessibleNode settings = window("Record Will Be Added");
    ASSERT_TRUE(settings);
    EXPECT_EQ(gapsOf(settings), "");
    EXPECT_EQ(promptsMissing(settings, {"Name", "Address:", "City:", "State:", "Zip:", "Phone:",
                                        "Fax:", "WebSite:", "email:", "Master Password:"}),
              "");
    EXPECT_TRUE(a11y::findShowing(settings, ATSPI_ROLE_PAGE_TAB, "System Info"));
    ASSERT_TRUE(typeInto(settings, "Name", "Ada Example"));
    ASSERT_TRUE(typeInto(settings, "Master Password:", kMaster));
    ASSERT_TRUE(press(settings, "OK"));

    AccessibleNode main = window("Password Lockora");
    ASSERT_TRUE(main);
    EXPECT_EQ(gapsOf(main), "");
    for (const char* button : {"Add", "Change", "Delete", "System", "Exit", "About"})
        EXPECT_TRUE(buttonNamed(main, button)) << button;
    AccessibleNode list = a11y::findShowing(main, ATSPI_ROLE_TABLE, "Password List");
    ASSERT_TRUE(list) << "the list is not named";
    ASSERT_EQ(list.columns(), 4);
    EXPECT_EQ(trimmed(list.columnDescription(0)), "Title");
    EXPECT_EQ(trimmed(list.columnDescription(1)), "Location/URL");
    EXPECT_EQ(trimmed(list.columnDescription(2)), "User Name");
    EXPECT_EQ(trimmed(list.columnDescription(3)), "Password");

    // Two credentials through the form Insert opens; the first one's visit
    // also reads its Notes tab and the date picker.
    const std::vector<std::vector<std::string>> entries = {{"Bank", "bank.example", "ada", "pin1"},
                                                           {"Mail", "mail.example", "bob", "pin2"}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE("credential " + entries[i][0]);
        ASSERT_TRUE(focus(list));
        ASSERT_TRUE(reader.pressKey("Insert"));
        AccessibleNode form = window("Record Will Be Added");
        ASSERT_TRUE(form);
        if (i == 0) {
            EXPECT_EQ(gapsOf(form), "");
            EXPECT_EQ(promptsMissing(form, {"Title:", "Location/URL:", "User Name:", "Password:",
                                            "PIN:", "Security Code:", "Date Long:", "Date Short:",
                                            "Date Created:", "Date Expires:"}),
                      "");
            AccessibleNode picker = buttonNamed(form, "Choose the date");
            ASSERT_TRUE(picker) << "the \"...\" button has no name a person can use";
            ASSERT_TRUE(picker.act("Press"));
            AccessibleNode calendar = window("Select a Date");
            ASSERT_TRUE(calendar);
            EXPECT_EQ(gapsOf(calendar), "");
            for (const char* b : {"Today", "Close", "Previous Month", "Next Year"})
                EXPECT_TRUE(buttonNamed(calendar, b)) << b;
            ASSERT_TRUE(press(calendar, "Close"));
            ASSERT_TRUE(closed(calendar));

            AccessibleNode notes = a11y::findShowing(form, ATSPI_ROLE_PAGE_TAB, "Notes");
            ASSERT_TRUE(notes && notes.act("Press"));
            ASSERT_TRUE(reader.waitUntil(
                [&] { return static_cast<bool>(entryNamed(form, "Notes:")); }, kWait))
                << "the notes are not named by their prompt";
            EXPECT_EQ(gapsOf(form), "");
            AccessibleNode general = a11y::findShowing(form, ATSPI_ROLE_PAGE_TAB, "General");
            ASSERT_TRUE(general && general.act("Press"));
            ASSERT_TRUE(reader.waitUntil(
                [&] { return static_cast<bool>(entryNamed(form, "Title:")); }, kWait));
        }
        const std::vector<std::string>& e = entries[i];
        ASSERT_TRUE(typeInto(form, "Title:", e[0]));
        ASSERT_TRUE(typeInto(form, "Location/URL:", e[1]));
        ASSERT_TRUE(typeInto(form, "User Name:", e[2]));
        ASSERT_TRUE(typeInto(form, "Password:", e[3]));
        ASSERT_TRUE(press(form, "OK"));
        ASSERT_TRUE(closed(form));
        ASSERT_TRUE(
            reader.waitUntil([&] { return list.rows() == static_cast<int>(i + 1); }, kWait));
    }

    // The rows read as the data file holds them, in entry order.
    std::filesystem::path file = dir.file("Lockora.lkdb");
    std::vector<std::string> stored = testsupport::sqlShellKeyed(
        file, testsupport::masterKeyPragma(file, kMaster),
        "SELECT Title, Location, UserName, Password FROM Password ORDER BY Primary_ID;");
    ASSERT_EQ(stored.size(), entries.size());
    for (int r = 0; r < 2; ++r) {
        std::vector<std::string> shown, held;
        for (int c = 0; c < 4; ++c) shown.push_back(trimmed(list.cell(r, c).name()));
        std::istringstream fields(stored[static_cast<std::size_t>(r)]);
        for (std::string field; std::getline(fields, field, '|');) held.push_back(trimmed(field));
        EXPECT_EQ(shown, held) << "row " << r + 1;
    }

    // The highlight moves down a row: a screen reader hears the new record.
    ASSERT_TRUE(reader.click(list.cell(0, 0).extents()));
    ASSERT_TRUE(reader.waitUntil([&] { return list.has(ATSPI_STATE_FOCUSED); }, kWait));
    reader.clearHeard();
    ASSERT_TRUE(reader.pressKey("Down"));
    bool announced = reader.waitUntil(
        [&] {
            for (const a11y::Announcement& a : reader.heard())
                if (a.role == ATSPI_ROLE_TABLE_CELL && trimmed(a.name) == "Mail") return true;
            return false;
        },
        kWait);
    std::string heard;
    for (const a11y::Announcement& a : reader.heard())
        heard += a.type + " " + std::to_string(a.role) + " \"" + a.name + "\"\n";
    EXPECT_TRUE(announced) << "heard instead:\n" << heard;

    ASSERT_TRUE(press(main, "About"));
    AccessibleNode about = window("About Password Lockora");
    ASSERT_TRUE(about);
    EXPECT_EQ(gapsOf(about), "");
    EXPECT_TRUE(a11y::findShowing(about, ATSPI_ROLE_IMAGE, "Password Lockora logo"));
    ASSERT_TRUE(press(about, "Close"));
    ASSERT_TRUE(closed(about));

    ASSERT_TRUE(press(main, "System"));
    AccessibleNode changed = window("Record Will Be Changed");
    ASSERT_TRUE(changed);
    EXPECT_EQ(gapsOf(changed), "");
    ASSERT_TRUE(press(changed, "Cancel"));
    ASSERT_TRUE(closed(changed));

    ASSERT_TRUE(press(main, "Exit"));
    ASSERT_EQ(program->waitForExit(kWait), 0);

    // The next start asks for the master password, typed into the entry its
    // prompt names, and shows the list again.
    ASSERT_NO_FATAL_FAILURE(start());
    AccessibleNode again = window("Enter the Master Password");
    ASSERT_TRUE(again);
    ASSERT_TRUE(typeInto(again, "Password:", kMaster));
    ASSERT_TRUE(reader.pressKey("Return"));
    AccessibleNode reopened = window("Password Lockora");
    ASSERT_TRUE(reopened);
    AccessibleNode shown = a11y::findShowing(reopened, ATSPI_ROLE_TABLE, "Password List");
    ASSERT_TRUE(shown);
    EXPECT_TRUE(reader.waitUntil([&] { return shown.rows() == 2; }, kWait));
    ASSERT_TRUE(press(reopened, "Exit"));
    EXPECT_EQ(program->waitForExit(kWait), 0);
}
