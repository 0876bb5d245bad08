#pragma once
// The process's GUI application object: created once by main() (and by the
// test harness) before any window, message box or clipboard use. Owns the
// toolkit's application instance and the progress window of the GUI
// thread's long operations. GUI thread only.

#include <memory>

namespace rt {

class Application {
  public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace rt
