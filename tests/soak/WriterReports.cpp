#include "tests/soak/WriterReports.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>

namespace soak {

WriterReports::WriterReports(int fd) : fd_(fd) {}

WriterReports::~WriterReports() {
    ::close(fd_);
}

// timeoutMs -1 waits for as long as it takes.
bool WriterReports::readSome(int timeoutMs) {
    pollfd p{fd_, POLLIN, 0};
    int ready = ::poll(&p, 1, timeoutMs);
    if (ready <= 0) return ready == 0;  // timed out: the pipe is still open
    char buffer[4096];
    ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n <= 0) return false;
    pending_.append(buffer, static_cast<std::size_t>(n));
    std::size_t end;
    while ((end = pending_.find('\n')) != std::string::npos) {
        take(pending_.substr(0, end));
        pending_.erase(0, end + 1);
    }
    return true;
}

bool WriterReports::waitReady(Clock::time_point deadline) {
    while (!ready_ && Clock::now() < deadline) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (!readSome(std::max(static_cast<int>(left.count()), 0) + 1)) return false;
    }
    return ready_;
}

void WriterReports::drainUntil(Clock::time_point deadline) {
    while (Clock::now() < deadline) {
        auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
        // poll counts whole milliseconds; the last fraction is slept.
        if (left.count() < 1000) {
            ::usleep(static_cast<useconds_t>(left.count()));
            return;
        }
        if (!readSome(static_cast<int>(left.count() / 1000))) return;
    }
}

void WriterReports::drainToEnd() {
    while (readSome(-1)) {
    }
}

void WriterReports::take(const std::string& line) {
    if (!fault_.empty()) return;
    std::size_t space = line.find(' ');
    std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    if (line.starts_with("R ")) {
        ready_ = true;
    } else if (line.starts_with("B ") && !inFlight_) {
        std::size_t at = rest.find(' ');
        std::optional<Operation> op =
            at == std::string::npos ? std::nullopt : decode(rest.substr(at + 1));
        if (!op) fault_ = line;
        inFlight_ = op;
        inFlightNumber_ = std::atoi(rest.c_str());
    } else if (line.starts_with("C ") && inFlight_ && std::atoi(rest.c_str()) == inFlightNumber_) {
        committed_.push_back(*inFlight_);
        inFlight_.reset();
    } else {
        fault_ = line;
    }
}

}  // namespace soak
