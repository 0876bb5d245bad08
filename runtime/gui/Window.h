#pragma once
// An open window built from its declaration, and its pulled event loop:
// accept() hands over one event at a time, pumping the toolkit until the
// window's own queue has one. A window opened while another is open is
// application-modal: its loop runs inside the caller's, which resumes when it
// closes. Controls are addressed by number. Owns its widgets; borrows the
// variables its controls are bound to. GUI thread only.
//
// Life cycle:
//   built (hidden) --open()--> open --accept()/EventOpenWindow--> running
//   running --close() or default action of EventCloseWindow--> closed
//   closed: accept() answers EventNone; the widgets go with the object.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/controls/ListSource.h"
#include "runtime/controls/DialogUnits.h"
#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/WindowDeclaration.h"
#include "runtime/text/Value.h"

namespace rt {

class Control;

class Window {
  public:
    explicit Window(const WindowDeclaration& declaration);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Shows the window; a second open window is modal to the first.
    void open();
    // Opens the window modeless (see WindowDeclaration), and each of its
    // events goes to handler as it happens, from whatever loop is pumping,
    // in place of accept() or poll(). The handler may cycle() the event;
    // after it returns the event's default action runs. Posts and notices
    // to the thread still go to the thread's other windows.
    // REQUIRES: the handler closes the window rather than destroying it.
    void openModeless(std::function<void(const WindowEvent&)> handler);
    // Ends the loop: the next accept() answers EventNone.
    void close();
    bool isOpen() const;

    // --- the event loop ---
    // The next event; EventNone once the window has closed. Runs the default
    // action of the previous event first, unless cycle() was called for it.
    WindowEvent accept();
    // Like accept() but never waits: the next queued event, or EventNone
    // (with the window still open) when there is none yet.
    WindowEvent poll();
    // The current event is fully handled: skip its default action.
    void cycle();
    const WindowEvent& current() const;
    int keyCode() const;
    // Also forgets the character the key typed.
    void setKeyCode(int key);
    // The character the key in force typed, 0 when none (WindowEvent).
    char32_t keyCharacter() const;
    // Mouse position of the last mouse event, dialog units of the client.
    int mouseX() const;
    int mouseY() const;

    // Queues an event for control (0 = the window itself).
    void post(int event, int control = 0);
    // An alerted key's event on control, as if key had been pressed there,
    // leaving the key in force as it is.
    void postKey(int control, int key);
    // Queues an event for the top window of a thread (1 = the program's).
    static bool postToThread(int thread, int event, int control = 0);
    // Sends a notification (code, parameter) to the top window of a thread:
    // it arrives as EventNotify and is read with takeNotification().
    static bool notify(int thread, int code, int parameter);
    // The notification that the current EventNotify brought; false if none.
    bool takeNotification(int& code, int& thread, int& parameter);

    // Gives the focus to control (and ends an accept-all pass early).
    void select(int control);
    // The control that has the focus (0 = none).
    int focus() const;

    // Bound variables to controls and back; control 0 means all.
    void display(int control = 0);
    void update(int control = 0);
    // Validates every control in turn: each one is updated and delivered as
    // EventAccepted; a required entry left blank stops the pass there (focus
    // on it, its message shown); a pass that gets through posts EventCompleted.
    void acceptAll();
    bool inAcceptAll() const;

    void hide(int control);
    void unhide(int control);
    void enable(int control);
    void disable(int control);

    // Alert keys: the window's own (control 0) or one control's.
    void alert(int key, int control = 0);
    void clearAlerts(int control = 0);
    // Takes one alert key off; answers whether it was alerted there.
    bool removeAlert(int key, int control = 0);
    bool isAlerted(int key, int control) const;

    Value property(int control, Prop prop, int index = 0) const;
    void setProperty(int control, Prop prop, const Value& value, int index = 0);
    std::string text(int control) const;
    void setText(int control, const std::string& text);
    bool exists(int control) const;
    // Controls in number order.
    std::vector<int> controls() const;

    // Rows of a list control, one vector of column values per row.
    void setListRows(int control, const std::vector<std::vector<Value>>& rows);
    // Makes the list virtual: source answers its rows (see ListSource) until
    // setListRows() is called; display() asks whether anything changed.
    void setListSource(int control, ListSource source);
    // The list shows what source gives whenever it is displayed, the way a
    // list shows its queue; an empty function stops that.
    void setListRowsSource(int control, std::function<std::vector<std::vector<Value>>()> source);
    int listRowCount(int control) const;
    std::string listCell(int control, int row, int column) const;

    // Creates a control at run time (numbers from 100); answers its number.
    int create(const ControlDeclaration& declaration);
    void destroy(int control);
    // Binds control to another variable, shown under picture.
    void bind(int control, FieldRef use, const std::string& picture);

    std::string caption() const;
    void setCaption(const std::string& caption);
    void setStatusText(int zone, const std::string& text);
    std::string statusText(int zone) const;
    // Timer period in hundredths of a second; 0 stops it.
    void setTimer(int hundredths);
    void setMinimumSize(int width, int height);  // dialog units
    // Size of the client area, dialog units.
    int width() const;
    int height() const;
    void resize(int width, int height);
    // "~hand.cur" and the like; empty restores the arrow. Control 0: window.
    void setCursor(const std::string& name, int control = 0);

    // Drawing on the window's background, beneath the controls.
    void drawBox(int x, int y, int width, int height, int fill, int border);
    void drawText(int x, int y, const std::string& text, int color);
    // Removes whatever was drawn inside the area.
    void blank(int x, int y, int width, int height);

    const DialogUnits& units() const;

    // The open windows, oldest first.
    static std::vector<Window*> openWindows();
    // The message the last accept-all pass stopped with ("" when none).
    std::string requiredMessage() const;
    // What the window last told the user about text that a control's picture
    // could not read ("Type a date like 12/31/26"; "" when nothing yet).
    std::string refusalMessage() const;

    // The live control, for the runtime's robot.
    Control* TEST_control(int number) const;
    void* TEST_widget() const;  // the top-level QWidget
    // The colour value of the client area's pixel at (x, y) dialog units.
    int TEST_pixel(int x, int y) const;
    // The colour values of the client area's pixels inside the area (dialog
    // units), row by row, as painted: background, drawings and controls.
    std::vector<int> TEST_pixels(int x, int y, int width, int height) const;
    // Closes every open window and keeps accept() answering EventNone until
    // TEST_resume(), so a failed scenario ends instead of hanging.
    static void TEST_abandonAll();
    static void TEST_resume();

  private:
    friend class HiddenWindows;
    class Impl;
    std::unique_ptr<Impl> impl_;
};

// The icon every window shows unless it declares its own.
void setApplicationIcon(const std::string& name);
// The busy cursor over every window while a long operation runs; calls nest.
void showBusyCursor(bool busy);
bool busyCursorShown();

}  // namespace rt
