#pragma once
// The open windows, oldest first, and the abandon switch that a failed robot
// scenario throws. Any thread may read; windows add and remove themselves on
// the GUI thread.

#include <vector>

namespace rt {

class Window;

class WindowRegistry {
  public:
    static void add(Window* window);
    static void remove(Window* window);
    static Window* newest();
    static std::vector<Window*> all();
    static bool abandoned();
    static void setAbandoned(bool abandoned);
};

}  // namespace rt
