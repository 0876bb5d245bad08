#pragma once
// Drives open windows the way a person does, for tests: a script of steps
// (wait for a window, type, press, click, press keys, answer a message box,
// choose from a popup menu, take a screenshot ...) run one after another by a
// timer inside whatever event loop is pumping, usually the window's own
// accept() loop. Every step has a time-out; a step that does not come true
// fails the script with a message naming the step and the open windows, and
// every open window is then closed so the program's loops end. Owns its
// timer and the message-box hook while it runs. GUI thread only.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/gui/MessageBox.h"

namespace rt {

class Window;

class Robot {
  public:
    Robot();
    ~Robot();
    Robot(const Robot&) = delete;
    Robot& operator=(const Robot&) = delete;

    // Milliseconds each step added from now on may take (default 5000).
    Robot& timeout(int milliseconds);
    // Folder that screenshot() writes to (default: the working folder).
    Robot& screenshotFolder(const std::string& folder);

    // --- steps; the window acted on is the newest open window ---
    Robot& waitForWindow(const std::string& caption);
    // Replaces the text of an entry or text control by typing it; control 0
    // is the one that has the focus (an entry made at run time, say).
    Robot& type(int control, const std::string& text);
    Robot& press(int button);
    // A key code with its modifiers, sent to control (0 = where the focus is).
    Robot& key(int keyCode, int control = 0);
    // Presses the keys that type text on control, one character after the
    // other, clearing nothing first (a list's locator, say).
    Robot& typeKeys(int control, const std::string& text);
    Robot& clickRow(int list, int row, int modifiers = 0);
    // A click on the cell of row and column (both 1-based).
    Robot& clickCell(int list, int row, int column);
    Robot& doubleClickRow(int list, int row, int column = 1);
    Robot& clickHeader(int list, int column, int modifiers = 0);
    // The left button pressed on a header cell and held; moved, still held,
    // onto another header cell (column 0: below the header, over the rows);
    // released over a header cell (or, column 0, below the header).
    Robot& pressHeader(int list, int column, int modifiers = 0);
    Robot& dragHeaderTo(int list, int column);
    Robot& releaseHeader(int list, int column, int modifiers = 0);
    // Right button down and up on a control (on a row of a list when row > 0).
    Robot& rightClick(int control, int row = 0);
    Robot& clickControl(int control);
    // The mouse moves onto a control's centre, or off it.
    Robot& hover(int control);
    Robot& leave(int control);
    // Turns the mouse wheel over a list by notches (positive: up).
    Robot& wheel(int list, int notches);
    // Clicks the tab of a sheet.
    Robot& chooseTab(int tab);
    // Drags a page-loaded list's thumb to position (0-100) and lets go.
    Robot& dragThumb(int list, int position);
    // Chooses an item of the open popup menu by its text ("&" ignored).
    Robot& choosePopupItem(const std::string& text);
    Robot& dismissPopup();
    // Reads the open popup menu's top-level items into *seen as a person
    // sees them: the text as shown, "~" before a greyed one, "-" for a line.
    Robot& readPopupItems(std::vector<std::string>* seen);
    // Answers the next message box with button; its text goes to *seen.
    Robot& answerMessageBox(int button, std::string* seen = nullptr);
    Robot& closeWindow();
    Robot& screenshot(const std::string& fileName);
    // Waits until condition holds for the newest window.
    Robot& check(const std::string& what, std::function<bool(Window&)> condition);
    // Does something to the newest window, once.
    Robot& run(const std::string& what, std::function<void(Window&)> action);

    // Runs the script alongside the program's own loops; after the last step
    // every window must close within the time-out.
    void start();
    // Runs the script now, pumping events until it is done; false on failure.
    bool runNow();

    // For a step's action that must act at once rather than as a step of
    // its own (timing what the program does with it): types the keys of
    // text on control of the newest window now; false when it cannot.
    static bool typeNow(int control, const std::string& text);
    // Runs action from the event loop as soon as it is idle again: after
    // the program has taken every event it had queued.
    static void whenIdle(std::function<void()> action);

    bool finished() const;
    bool failed() const;
    std::string failure() const;
    // Every message box shown while the robot ran.
    const std::vector<MessageBoxRequest>& messages() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace rt
