#pragma once
// The driver's end of a writer's report pipe (see SoakWriter.h): reads the
// lines as they come and sorts them into the operations the writer said
// had committed, in order, and the one it had begun and not yet said had
// committed. Owns the pipe's read end; one thread.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "tests/soak/SoakModel.h"

namespace soak {

class WriterReports {
  public:
    using Clock = std::chrono::steady_clock;

    explicit WriterReports(int fd);
    ~WriterReports();
    WriterReports(const WriterReports&) = delete;
    WriterReports& operator=(const WriterReports&) = delete;

    // Reads until the ready line came (true) or deadline passed or the
    // writer closed the pipe (false).
    bool waitReady(Clock::time_point deadline);
    // Reads what arrives until deadline, so the writer never waits on a full pipe.
    void drainUntil(Clock::time_point deadline);
    // Reads the rest, up to the writer's end.
    void drainToEnd();

    const std::vector<Operation>& committed() const { return committed_; }
    const std::optional<Operation>& inFlight() const { return inFlight_; }
    // A line that does not follow the protocol, when one came.
    const std::string& fault() const { return fault_; }

  private:
    // False at the end of the pipe.
    bool readSome(int timeoutMs);
    void take(const std::string& line);

    int fd_;
    std::string pending_;
    bool ready_ = false;
    std::vector<Operation> committed_;
    std::optional<Operation> inFlight_;
    int inFlightNumber_ = 0;
    std::string fault_;
};

}  // namespace soak
