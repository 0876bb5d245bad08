// Settings reads on a large settings file (3 MiB, just under the limit): the
// first read parses the file, later reads of an unchanged file do not; and a
// write followed by a read, as the program's exit does for each value.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/host/SettingsFile.h"

namespace {

constexpr const char* kIni = ".\\Lockora.INI";

// A working folder holding a settings file of about `bytes`, dated back so
// that its version is trusted at once.
class LargeSettings {
  public:
    explicit LargeSettings(std::size_t bytes) : previous_(std::filesystem::current_path()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lockora-bench-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        std::filesystem::current_path(folder_);
        std::ofstream out("Lockora.INI", std::ios::binary);
        for (int section = 0; out.tellp() < static_cast<std::streamoff>(bytes); ++section) {
            out << "[Section" << section << "]\n";
            for (int key = 0; key < 20; ++key)
                out << "Key" << key << "=" << std::string(40, 'v') << "\n";
        }
        out << "[Preserved]\nGlo:FileLocation=/data\n";
        out.close();
        auto when = std::filesystem::last_write_time("Lockora.INI");
        std::filesystem::last_write_time("Lockora.INI", when - std::chrono::hours(1));
    }
    ~LargeSettings() {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(folder_);
    }

  private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};

void BM_SettingsReadUnchangedLargeFile(benchmark::State& state) {
    LargeSettings settings(3 * 1024 * 1024);
    rt::SettingsFile::get(kIni, "Preserved", "Glo:FileLocation", "");
    for (auto _ : state)
        benchmark::DoNotOptimize(rt::SettingsFile::get(kIni, "Preserved", "Glo:FileLocation", ""));
}
BENCHMARK(BM_SettingsReadUnchangedLargeFile);

void BM_SettingsFirstReadLargeFile(benchmark::State& state) {
    LargeSettings settings(3 * 1024 * 1024);
    for (auto _ : state) {
        // Touching the file makes it another version: the read parses it.
        state.PauseTiming();
        auto when = std::filesystem::last_write_time("Lockora.INI");
        std::filesystem::last_write_time("Lockora.INI", when - std::chrono::seconds(1));
        state.ResumeTiming();
        benchmark::DoNotOptimize(rt::SettingsFile::get(kIni, "Preserved", "Glo:FileLocation", ""));
    }
}
BENCHMARK(BM_SettingsFirstReadLargeFile)->Unit(benchmark::kMillisecond);

void BM_SettingsWriteThenReadLargeFile(benchmark::State& state) {
    LargeSettings settings(3 * 1024 * 1024);
    int n = 0;
    for (auto _ : state) {
        rt::SettingsFile::put(kIni, "Preserved", "Counter", std::to_string(++n));
        benchmark::DoNotOptimize(rt::SettingsFile::get(kIni, "Preserved", "Counter", ""));
    }
}
BENCHMARK(BM_SettingsWriteThenReadLargeFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
