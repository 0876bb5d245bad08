#pragma once
// Operations that may take long (an index built over a large table) and
// whoever shows their progress. An operation opens a ProgressScope and calls
// step() now and then; the reporter installed on its thread (the GUI's
// progress window) decides whether and how to show it. Reporters are per
// thread: an operation on a thread without one reports to nobody.

#include <string>

namespace rt {

class ProgressReporter {
  public:
    virtual ~ProgressReporter() = default;
    // An operation starts; text says what it does.
    virtual void begin(const std::string& text) = 0;
    // It is still running. Called often: a reporter keeps this cheap.
    virtual void step() = 0;
    // It is still running and about `fraction` (0 to 1) of it is done; for
    // reporters that show how far an operation has come.
    virtual void advance(double fraction) {
        (void)fraction;
        step();
    }
    virtual void end() = 0;
};

// Installs reporter for the calling thread (null: none); answers the one
// it replaces. The reporter must outlive its installation.
ProgressReporter* setProgressReporter(ProgressReporter* reporter);

// One long operation on the calling thread, from construction to
// destruction. Not copyable.
class ProgressScope {
  public:
    explicit ProgressScope(const std::string& text);
    ~ProgressScope();
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    void step();
    // As step(), when the operation knows how far it has come (0 to 1).
    void step(double fraction);

  private:
    ProgressReporter* reporter_;
};

}  // namespace rt
