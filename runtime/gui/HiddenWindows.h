#pragma once
// Takes every open window of the program off the screen while it is locked,
// and brings them back exactly as they were: the same places and sizes, the
// same one active; or closes them all when the program ends instead. A window
// away owns no window opened meanwhile. Borrows the windows; one that closed
// while away is left alone. GUI thread only.

#include <memory>

namespace rt {

class HiddenWindows {
  public:
    // Hides every open window.
    HiddenWindows();
    // Brings back what restore() or closeAll() did not deal with.
    ~HiddenWindows();
    HiddenWindows(const HiddenWindows&) = delete;
    HiddenWindows& operator=(const HiddenWindows&) = delete;

    void restore();
    // Closes every window that was away: each one's loop ends.
    void closeAll();

  private:
    struct Away;
    std::unique_ptr<Away> away_;
};

}  // namespace rt
