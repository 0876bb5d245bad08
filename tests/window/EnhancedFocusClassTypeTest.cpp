// The focus highlight on real windows: the focused entry turns yellow and
// bold inside a drawn box with a grey indicator to its left; all of it moves
// with Tab and follows the control when the window is resized.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "runtime/text/FixedText.h"
#include "runtime/robot/Robot.h"
#include "runtime/gui/Window.h"
#include "tests/support/TempDir.h"
#include "window/EnhancedFocusClassType.h"
#include "window/WindowManager.h"
#include "window/WindowResizeClass.h"

using namespace rt;

namespace {

enum { kPrompt = 1, kName, kCity, kList, kOk, kSecret, kKeep };

constexpr int kYellow = 65535;
constexpr int kGrey = 8421504;
const std::string kIndicator = "\u00BB";  // the character 187 of the Western code page

// Bound to the name entry, so that the bold text shows.
String<20> gName("Alice Smith");

WindowDeclaration form() {
    WindowDeclaration d;
    d.caption = "Focus";
    d.width = 200;
    d.height = 130;
    d.resizable = true;
    d.controls = {
        control(ControlKind::Prompt, "&Name:").at(6, 8, 30, 10),
        control(ControlKind::Entry).at(50, 6, 100, 12).bind(gName),
        control(ControlKind::Entry).at(50, 24, 100, 12).requiredMessage("A city, please"),
        control(ControlKind::List).at(50, 42, 100, 40),
        control(ControlKind::Button, "OK").at(50, 90, 40, 14),
        control(ControlKind::Entry).at(50, 110, 100, 12).with(FlagHidden),
        control(ControlKind::Check, "&Keep").at(110, 92, 40, 10),
    };
    return d;
}

// The values every window of the program uses.
void initAsTheProgramDoes(EnhancedFocusClassType& focus, Window& w) {
    focus.Init(w, true, kYellow, true, false, kYellow, true, kYellow, 0, 2, kYellow, 0, true, kGrey,
               kIndicator, 8);
}

int numberOf(const Window& w, int control, Prop p) {
    return static_cast<int>(w.property(control, p).number());
}

bool anyPixel(const Window& w, int x, int y, int width, int height, int color) {
    std::vector<int> pixels = w.TEST_pixels(x, y, width, height);
    return std::find(pixels.begin(), pixels.end(), color) != pixels.end();
}

// The box's fill shows in the margin just above the control.
bool boxAbove(const Window& w, int control, int fill = kYellow) {
    int x = numberOf(w, control, Prop::XPos) + numberOf(w, control, Prop::Width) / 2;
    return anyPixel(w, x, numberOf(w, control, Prop::YPos) - 1, 1, 1, fill);
}

// Grey ink (the indicator, antialiased on the window's light background)
// in the area where the indicator of a control at (x, y) is written.
bool indicatorAt(const Window& w, int x, int y) {
    for (int c : w.TEST_pixels(x - 8, y, 6, 10)) {
        int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
        if (r < 0xD8 && std::max({r, g, b}) - std::min({r, g, b}) <= 8) return true;
    }
    return false;
}

bool highlighted(const Window& w, const EnhancedFocusClassType& focus, int control) {
    return focus.SCField == control && numberOf(w, control, Prop::Color) == kYellow &&
           numberOf(w, control, Prop::FontStyle) == 700 && boxAbove(w, control) &&
           indicatorAt(w, numberOf(w, control, Prop::XPos), numberOf(w, control, Prop::YPos));
}

bool plain(const Window& w, int control, int color) {
    return numberOf(w, control, Prop::Color) == color &&
           numberOf(w, control, Prop::FontStyle) == 400 && !boxAbove(w, control) &&
           !indicatorAt(w, numberOf(w, control, Prop::XPos), numberOf(w, control, Prop::YPos));
}

void runWindow(Window& w, EnhancedFocusClassType& focus) {
    while (w.accept()) focus.TakeEvent();
}

// A window procedure as the program writes one: the resizer registered for
// its size events, the highlighter set up last and seeing every event first.
class FocusWindow : public WindowManager {
  public:
    ErrorLevel Init() override {
        if (ErrorLevel level = WindowManager::Init()) return level;
        FirstField = kName;
        window = std::make_unique<Window>(form());
        Open(*window);
        Resizer.Init(*window, 2, true, false);
        AddItem(Resizer);
        AddItem(static_cast<WindowComponent&>(Resizer));
        initAsTheProgramDoes(EnhancedFocusManager, *window);
        return LevelBenign;
    }
    ErrorLevel TakeEvent() override {
        EnhancedFocusManager.TakeEvent();
        return WindowManager::TakeEvent();
    }

    std::unique_ptr<Window> window;
    WindowResizeClass Resizer;
    EnhancedFocusClassType EnhancedFocusManager;
};

}  // namespace

TEST(EnhancedFocusClassTypeTest, InAWindowProcedureTheHighlightFollowsTabAndResizing) {
    FocusWindow procedure;
    const EnhancedFocusClassType& focus = procedure.EnhancedFocusManager;
    Robot robot;
    robot.screenshotFolder(testsupport::outputDir().string())
        .waitForWindow("Focus")
        .check("the first field is highlighted",
               [&](Window& win) { return highlighted(win, focus, kName); })
        .key(TabKey)
        .check("the city is highlighted",
               [&](Window& win) {
                   return highlighted(win, focus, kCity) && !boxAbove(win, kName) &&
                          !indicatorAt(win, 50, 6);
               })
        .run("widen and heighten the window", [](Window& win) { win.resize(300, 170); })
        .check("the highlight moved with the city",
               [&](Window& win) {
                   return numberOf(win, kCity, Prop::XPos) == 75 && focus.SCX == 75 &&
                          highlighted(win, focus, kCity) && !indicatorAt(win, 50, 24);
               })
        .screenshot("focus-in-window-resized.png")
        .run("back to the first size", [](Window& win) { win.resize(200, 130); })
        .check("the highlight is back in its first place",
               [&](Window& win) {
                   return numberOf(win, kCity, Prop::XPos) == 50 && focus.SCX == 50 &&
                          highlighted(win, focus, kCity) && !indicatorAt(win, 75, 24);
               })
        .closeWindow()
        .start();
    EXPECT_EQ(procedure.Run(), ResponseCancelled);
    EXPECT_FALSE(robot.failed()) << robot.failure();
    EXPECT_TRUE(procedure.Resizer.ControlQueue.empty());  // killed with the window
}

TEST(EnhancedFocusClassTypeTest, TheHighlightMovesWithTabAndSkipsButtons) {
    Window w(form());
    w.open();
    const int plainColor = numberOf(w, kName, Prop::Color);
    ASSERT_NE(plainColor, kYellow);
    EnhancedFocusClassType focus;
    initAsTheProgramDoes(focus, w);
    Robot robot;
    robot.screenshotFolder(testsupport::outputDir().string())
        .waitForWindow("Focus")
        .run("focus the name", [](Window& win) { win.select(kName); })
        .check("the name is highlighted",
               [&](Window& win) { return highlighted(win, focus, kName); })
        .screenshot("focus-highlight.png")
        .key(TabKey)
        .check("the city is highlighted and the name plain again",
               [&](Window& win) {
                   return highlighted(win, focus, kCity) && plain(win, kName, plainColor);
               })
        .key(TabKey)
        .check("the list gets the box and keeps its colours",
               [&](Window& win) {
                   return focus.SCField == kList && boxAbove(win, kList) &&
                          numberOf(win, kList, Prop::Color) != kYellow &&
                          plain(win, kCity, plainColor);
               })
        .key(TabKey)
        .check("nothing is drawn around the button",
               [&](Window& win) {
                   return win.focus() == kOk && focus.SCField == 0 && !boxAbove(win, kList) &&
                          !boxAbove(win, kOk) && !indicatorAt(win, 50, 42) &&
                          !indicatorAt(win, 50, 90);
               })
        .key(TabKey)
        .check("the check box is highlighted, right of its text too",
               [&](Window& win) {
                   return highlighted(win, focus, kKeep) && anyPixel(win, 146, 96, 1, 1, kYellow);
               })
        .key(TabKey)
        .check("round to the name again",
               [&](Window& win) {
                   // Right of its text the check box shows the window's own background.
                   return highlighted(win, focus, kName) && !boxAbove(win, kKeep) &&
                          numberOf(win, kKeep, Prop::FontStyle) == 400 &&
                          win.TEST_pixels(146, 96, 1, 1) == win.TEST_pixels(180, 96, 1, 1);
               })
        .screenshot("focus-highlight-round.png")
        .closeWindow()
        .start();
    runWindow(w, focus);
    EXPECT_FALSE(robot.failed()) << robot.failure();
    EXPECT_TRUE(std::filesystem::exists(testsupport::outputDir() / "focus-highlight.png"));
}

TEST(EnhancedFocusClassTypeTest, UnselectingErasesTheIndicatorOutsideTheBoxToo) {
    Window w(form());
    w.open();
    const int plainColor = numberOf(w, kName, Prop::Color);
    EnhancedFocusClassType focus;
    initAsTheProgramDoes(focus, w);
    focus.EnhanceFocusSelect(kName);
    ASSERT_TRUE(highlighted(w, focus, kName));
    EXPECT_EQ(focus.SCColor, plainColor);
    EXPECT_EQ(focus.SCStyle, 400);
    EXPECT_EQ((PositionGroup{focus.SCX, focus.SCY, focus.SCW, focus.SCH}),
              (PositionGroup{50, 6, 100, 12}));
    focus.EnhanceFocusUnSelect();
    EXPECT_TRUE(plain(w, kName, plainColor));
    // The box's right margin is gone as well.
    EXPECT_FALSE(anyPixel(w, 151, 10, 1, 4, kYellow));

    // A highlighted control destroyed meanwhile: its marks still go.
    focus.EnhanceFocusSelect(kCity);
    ASSERT_TRUE(anyPixel(w, 100, 23, 1, 1, kYellow));
    w.destroy(kCity);
    focus.EnhanceFocusUnSelect();
    focus.EnhanceFocusSelect(focus.SCField);
    EXPECT_EQ(focus.SCField, 0);
    EXPECT_FALSE(anyPixel(w, 100, 23, 1, 1, kYellow));
    EXPECT_FALSE(indicatorAt(w, 50, 24));
}

TEST(EnhancedFocusClassTypeTest, ARequiredControlGetsTheRequiredColours) {
    Window w(form());
    w.open();
    const int green = 0x80FF80, red = 0x0000FF, pink = 0xFF80FF;
    EnhancedFocusClassType focus;
    focus.Init(w, true, kYellow, false, false, green, true, kYellow, 0, 2, pink, red, false, kGrey,
               kIndicator, 8);
    focus.EnhanceFocusSelect(kCity);
    EXPECT_EQ(numberOf(w, kCity, Prop::Color), green);
    EXPECT_EQ(numberOf(w, kCity, Prop::FontStyle), 400);  // bold text is off
    EXPECT_TRUE(boxAbove(w, kCity, pink));
    EXPECT_FALSE(indicatorAt(w, 50, 24));  // the indicator is off
    focus.EnhanceFocusSelect(kName);
    EXPECT_EQ(numberOf(w, kName, Prop::Color), kYellow);
    EXPECT_TRUE(boxAbove(w, kName));
}

TEST(EnhancedFocusClassTypeTest, HiddenControlsAndControlsOnHiddenTabsAreNeverHighlighted) {
    WindowDeclaration d = form();
    d.controls.push_back(control(ControlKind::Sheet).at(4, 130, 150, 40));
    d.controls.push_back(control(ControlKind::Tab, "One").in(8));
    d.controls.push_back(control(ControlKind::Tab, "Two").in(8));
    d.controls.push_back(control(ControlKind::Entry).at(50, 150, 60, 12).in(10));
    d.height = 175;
    Window w(d);
    w.open();
    const int plainColor = numberOf(w, kName, Prop::Color);
    EnhancedFocusClassType focus;
    initAsTheProgramDoes(focus, w);
    for (int control : std::initializer_list<int>{kSecret, 11, kOk, kPrompt, 0, 99}) {
        focus.EnhanceFocusSelect(kName);
        focus.EnhanceFocusUnSelect();
        focus.EnhanceFocusSelect(control);
        EXPECT_EQ(focus.SCField, 0) << control;
        EXPECT_FALSE(focus.ControlAllowed(control)) << control;
    }
    EXPECT_NE(numberOf(w, kSecret, Prop::Color), kYellow);
    EXPECT_NE(numberOf(w, 11, Prop::Color), kYellow);
    EXPECT_TRUE(plain(w, kName, plainColor));
    w.setProperty(kName, Prop::NoLayout, 1);
    EXPECT_FALSE(focus.ControlAllowed(kName));
    EXPECT_TRUE(focus.ControlAllowed(kCity));
}

TEST(EnhancedFocusClassTypeTest, InitKeepsTheIndicatorShortAndExcludesTheDisplayOnlyTypes) {
    Window w(form());
    EnhancedFocusClassType focus;
    focus.Init(w, true, kYellow, true, true, kYellow, true, kYellow, 0, 2, kYellow, 0, true, kGrey,
               kIndicator + "  ", 8);
    EXPECT_EQ(focus.IndicatorCharacter, kIndicator);
    EXPECT_FALSE(focus.ExcludeDropList);
    EXPECT_EQ(focus.ExcludedControlType.size(), 23u);
    for (int type : {2, 3, 4, 5, 6, 9, 10, 13, 37, 38})
        EXPECT_NE(
            std::count(focus.ExcludedControlType.begin(), focus.ExcludedControlType.end(), type), 0)
            << type;
    for (int type : {8, 12, 14, 17})
        EXPECT_EQ(
            std::count(focus.ExcludedControlType.begin(), focus.ExcludedControlType.end(), type), 0)
            << type;
    EnhancedFocusClassType other;
    other.Init(w, true, kYellow, true, false, kYellow, true, kYellow, 0, 2, kYellow, 0, true, kGrey,
               "\u00BB\u00BB\u00BB", 8);
    EXPECT_EQ(other.IndicatorCharacter, "\u00BB\u00BB");
    other.DisableControlType(8);
    w.open();
    EXPECT_FALSE(other.ControlAllowed(kName));
    w.close();
}
