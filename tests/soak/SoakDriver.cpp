#include "tests/soak/SoakDriver.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "tests/soak/SoakProbe.h"
#include "tests/soak/WriterReports.h"

namespace soak {

namespace {

namespace fs = std::filesystem;
using Clock = WriterReports::Clock;

constexpr auto kReadyWait = std::chrono::seconds(60);

const char* kDataFile = "Lockora.lkdb";

// Waits for the process; its exit code, or 128 + the signal that ended it.
int reap(int pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

}  // namespace

SoakDriver::SoakDriver(SoakSettings settings)
    : settings_(std::move(settings)), random_(settings_.seed) {}

int SoakDriver::run() {
    if (!prepareFolder()) return 2;
    std::printf("soak: %d kills, seed %u (SOAK_SEED=%u repeats the operations and delays), in %s\n",
                settings_.kills, settings_.seed, settings_.seed, folder_.c_str());
    std::fflush(stdout);
    Clock::time_point start = Clock::now();
    bool going = judge(0, std::nullopt);
    for (int kill = 1; going && kill <= settings_.kills; ++kill) {
        going = killOnce(kill);
        if (kill % 100 == 0) {
            std::printf("soak: %d kills, %d losses so far\n", kill, tally_.losses);
            std::fflush(stdout);
        }
    }
    summary(std::chrono::duration<double>(Clock::now() - start).count());
    bool clean = going && tally_.losses == 0 && tally_.writerFailures == 0;
    if (clean)
        fs::remove_all(folder_);
    else
        std::printf("soak: the data file is kept in %s\n", folder_.c_str());
    return clean ? 0 : 1;
}

bool SoakDriver::prepareFolder() {
    std::string pattern = (fs::temp_directory_path() / "lockora-soak-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return false;
    folder_ = pattern;
    fs::current_path(folder_);
    int fd = -1;
    int pid = spawn({"--create", std::to_string(random_())}, &fd);
    WriterReports reports(fd);
    reports.drainToEnd();
    if (pid > 0 && reap(pid) == 0) return true;
    std::fprintf(stderr, "soak: the data file could not be made in %s\n", folder_.c_str());
    return false;
}

int SoakDriver::spawn(const std::vector<std::string>& arguments, int* fd) const {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return -1;
    int pid = ::fork();
    if (pid == 0) {
        // The report pipe becomes descriptor 3, the only one passed on.
        if (ends[1] == 3)
            ::fcntl(3, F_SETFD, 0);
        else
            ::dup2(ends[1], 3);
        std::vector<char*> argv{const_cast<char*>(settings_.executable.c_str())};
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(settings_.executable.c_str(), argv.data());
        _exit(127);
    }
    ::close(ends[1]);
    *fd = ends[0];
    return pid;
}

bool SoakDriver::killOnce(int kill) {
    int fd = -1;
    std::uint32_t writerSeed = random_();
    int delayMs = std::uniform_int_distribution<int>(0, settings_.maxDelayMs)(random_);
    int pid = spawn({"--writer", std::to_string(writerSeed), expected_.master}, &fd);
    if (pid < 0) return false;
    WriterReports reports(fd);
    bool ready = reports.waitReady(Clock::now() + kReadyWait);
    if (ready) reports.drainUntil(Clock::now() + std::chrono::milliseconds(delayMs));
    ::kill(pid, SIGKILL);
    int code = reap(pid);
    reports.drainToEnd();
    ++tally_.kills;
    if (!ready || code != 128 + SIGKILL || !reports.fault().empty()) {
        ++tally_.writerFailures;
        std::printf("soak: kill %d: writer %u %s (exit %d) %s\n", kill, writerSeed,
                    ready ? "ended on its own" : "never got ready", code, reports.fault().c_str());
    }
    for (const Operation& op : reports.committed()) {
        std::optional<FileState> next = applyOperation(expected_, op);
        if (!next) {
            std::printf("soak: kill %d: writer %u committed '%s', which does not fit\n", kill,
                        writerSeed, encode(op).c_str());
            ++tally_.writerFailures;
            return false;
        }
        expected_ = std::move(*next);
        ++tally_.committed;
    }
    if (reports.inFlight()) countInFlight(*reports.inFlight());
    return judge(kill, reports.inFlight());
}

void SoakDriver::countInFlight(const Operation& op) {
    if (newMaster(op)) ++tally_.killedInReKey;
    if (op.size() > 1) ++tally_.killedInTransaction;
    if (op.front().kind == Change::Index) ++tally_.killedInIndexBuild;
}

bool SoakDriver::judge(int kill, const std::optional<Operation>& inFlight) {
    std::vector<std::string> candidates{expected_.master};
    std::optional<std::string> changing = inFlight ? newMaster(*inFlight) : std::nullopt;
    if (changing && *changing != expected_.master) candidates.push_back(*changing);
    ProbeResult found = SoakProbe(folder_ / kDataFile).look(candidates);
    if (kill == 0) {
        // The file as made: what every later kill is compared with.
        expected_ = found.state;
        bool sound = found.error.empty() && found.integrity == "ok";
        if (!sound)
            std::printf("soak: the new data file fails: %s %s\n", found.error.c_str(),
                        found.integrity.c_str());
        return sound;
    }
    if (!found.error.empty() || found.integrity != "ok") {
        ++tally_.losses;
        std::printf("soak: kill %d: LOSS: %s\n", kill,
                    found.error.empty() ? ("integrity_check: " + found.integrity).c_str()
                                        : found.error.c_str());
        return false;
    }
    if (found.state == expected_) return true;
    std::optional<FileState> after = inFlight ? applyOperation(expected_, *inFlight) : std::nullopt;
    if (after && found.state == *after) {
        ++tally_.inFlightLanded;
        expected_ = std::move(*after);
        return true;
    }
    ++tally_.losses;
    std::printf("soak: kill %d: LOSS:%s (in flight: %s)\n", kill,
                describeDifference(expected_, found.state).c_str(),
                inFlight ? encode(*inFlight).c_str() : "nothing");
    // Go on from what the file holds, so later kills are judged on their own.
    expected_ = found.state;
    return true;
}

void SoakDriver::summary(double seconds) const {
    std::error_code error;
    auto bytes = fs::file_size(folder_ / kDataFile, error);
    std::printf(
        "soak: %lld operations committed; killed with in flight: %d re-keys, %d "
        "transactions over several records, %d index builds; the operation in flight "
        "had landed %d times\n",
        tally_.committed, tally_.killedInReKey, tally_.killedInTransaction,
        tally_.killedInIndexBuild, tally_.inFlightLanded);
    std::printf("soak: data file %.1f MB with %zu entries; %.0f s\n",
                error ? 0.0 : static_cast<double>(bytes) / 1e6, expected_.entries.size(), seconds);
    std::printf("soak: kills %d, losses %d, writer failures %d, seed %u\n", tally_.kills,
                tally_.losses, tally_.writerFailures, settings_.seed);
}

}  // namespace soak
