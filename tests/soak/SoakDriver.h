#pragma once
// The crash soak: runs writer processes (SoakWriter) on one data file and
// kills each with SIGKILL after a random delay, then checks that the file
// opens with the master password last committed (or the one a re-key in
// flight was changing to), passes PRAGMA integrity_check and holds exactly
// the committed rows, the operation in flight either wholly there or not at
// all. Every run goes on with the same file, so damage would accumulate.
// Owns the working folder it makes; the calling thread.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tests/soak/SoakModel.h"

namespace soak {

struct SoakSettings {
    int kills = 1000;
    std::uint32_t seed = 0;
    int maxDelayMs = 60;               // the kill comes 0..maxDelayMs after the writer is ready
    std::filesystem::path executable;  // this program, started again as the writer
};

class SoakDriver {
  public:
    explicit SoakDriver(SoakSettings settings);

    // Answers the process's exit code: 0 when no kill lost anything.
    int run();

  private:
    struct Tally {
        int kills = 0;
        int losses = 0;
        int writerFailures = 0;
        long long committed = 0;
        int inFlightLanded = 0;
        int killedInReKey = 0;
        int killedInTransaction = 0;
        int killedInIndexBuild = 0;
    };

    bool prepareFolder();
    // Starts the writer with these arguments; its pid, the report pipe in *fd.
    int spawn(const std::vector<std::string>& arguments, int* fd) const;
    // One writer run and its kill; false when the soak cannot go on.
    bool killOnce(int kill);
    void countInFlight(const Operation& op);
    // Compares the file with what was committed; false when it cannot be read.
    bool judge(int kill, const std::optional<Operation>& inFlight);
    void summary(double seconds) const;

    SoakSettings settings_;
    std::filesystem::path folder_;
    std::mt19937 random_;
    FileState expected_;
    Tally tally_;
};

}  // namespace soak
