#pragma once
// Each iteration's time of one run, for its median and 99th percentile (the
// benchmark library's own statistics are over repetitions, not iterations).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

class Samples {
  public:
    void add(benchmark::State& state, double seconds) {
        state.SetIterationTime(seconds);
        ms_.push_back(seconds * 1000.0);
    }
    void report(benchmark::State& state) {
        if (ms_.empty()) return;
        std::sort(ms_.begin(), ms_.end());
        std::size_t n = ms_.size();
        state.counters["median_ms"] = ms_[n / 2];
        state.counters["p99_ms"] = ms_[std::min(n - 1, (n * 99 + 99) / 100 - 1)];
    }

  private:
    std::vector<double> ms_;
};
