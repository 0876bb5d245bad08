#pragma once
// What a test needs of a screen reader: it joins the accessibility bus,
// finds a program's application object by process, waits for its windows by
// caption, hears the focus and selection announcements the program makes,
// and types on the keyboard (through the display server's test extension,
// as if a person pressed the keys). Waits poll the bus until a condition
// holds or a generous time-out runs out; nothing is timed. One per test;
// test thread only.

#include <atspi/atspi.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/a11y/AccessibleNode.h"

namespace a11y {

// One announcement as heard: the event's type, and the role and name of the
// object it came from, read when it arrived.
struct Announcement {
    std::string type;
    AtspiRole role = ATSPI_ROLE_INVALID;
    std::string name;
    int detail = 0;
};

class ScreenReader {
  public:
    // Joins the bus; ok() says whether it could.
    ScreenReader();
    ~ScreenReader();
    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    bool ok() const { return ok_; }

    // The application object of process pid, once it has joined the bus.
    AccessibleNode waitForApplication(int pid, int timeoutMs);
    // The application's showing top-level window whose name starts with
    // caption (captions may carry a record's name after them).
    AccessibleNode waitForWindow(const AccessibleNode& app, const std::string& caption,
                                 int timeoutMs);
    // Polls until condition holds; answers whether it did in time.
    bool waitUntil(const std::function<bool()>& condition, int timeoutMs);

    // The announcements heard since the last clear.
    const std::vector<Announcement>& heard();
    void clearHeard();

    // Keys by their X names ("Return", "Insert", "Down"), and typed text.
    bool pressKey(const std::string& key);
    bool type(const std::string& text);
    bool click(const Extents& at);

  private:
    static void onEvent(AtspiEvent* event, void* self);
    void pump();

    bool ok_ = false;
    AtspiEventListener* listener_ = nullptr;
    std::vector<Announcement> heard_;
};

}  // namespace a11y
