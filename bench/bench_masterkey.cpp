// The master password's key: one derivation with the parameters real data
// files get, and a change of the master password on files of two sizes,
// which re-encrypts every page in one commit (measured with the cheap test
// parameters, so that the pages' share stands alone).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "BenchEntries.h"
#include "app/Dictionary.h"
#include "runtime/gui/Application.h"
#include "runtime/store/KeyDerivation.h"
#include "runtime/store/KeyedFile.h"
#include "runtime/store/KeyedTransaction.h"

namespace {

void BM_DeriveMasterKey(benchmark::State& state) {
    rt::KeyDerivation::TEST_useCheapParameters(false);
    rt::KeyDerivation::Salt salt = rt::KeyDerivation::newSalt();
    const rt::KeyParameters& set = rt::KeyDerivation::parametersOf(salt);
    for (auto _ : state) benchmark::DoNotOptimize(rt::KeyDerivation::derive("Bench1", salt));
    state.counters["MiB"] = static_cast<double>(set.memoryBytes >> 20);
    state.counters["passes"] = static_cast<double>(set.passes);
}

// A folder holding a data file of `entries` entries, made once per size
// with the cheap parameters and made the working folder; its System record
// is open in SYS.File when this returns.
void enterDataFolder(int entries) {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("lockora-bench-rekey-" + std::to_string(entries));
    static std::set<int> built;
    rt::KeyDerivation::TEST_useCheapParameters(true);
    if (built.insert(entries).second) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        openOrCreate(PAS.File);
        addEntries(entries);
        PAS.File.close();
        openOrCreate(SYS.File);
        SYS.File.clearBuffer();
        SYS.MasterPassword = "Bench0";
        SYS.File.add();
        return;
    }
    std::filesystem::current_path(folder);
    SYS.File.open();
    SYS.File.set(0);
    SYS.File.next();
}

void BM_ChangeMasterPassword(benchmark::State& state) {
    enterDataFolder(static_cast<int>(state.range(0)));
    static int round = 0;
    for (auto _ : state) {
        SYS.MasterPassword = "Bench" + std::to_string(++round);
        if (SYS.File.put() != 0) state.SkipWithError("the change failed");
    }
    state.counters["MiB file"] =
        static_cast<double>(std::filesystem::file_size("Lockora.lkdb")) / (1 << 20);
    SYS.File.close();
    rt::KeyDerivation::TEST_useCheapParameters(false);
}

BENCHMARK(BM_DeriveMasterKey)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ChangeMasterPassword)
    ->Arg(0)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    rt::Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
