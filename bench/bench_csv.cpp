// CSV import speed: the reader alone over rows like an export's, and a whole
// lockora --import of N rows into a new data file without a master password
// (one transaction, each entry numbered as the credential form numbers it).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "BenchEntries.h"
#include "EntryData.h"
#include "app/CsvImport.h"
#include "app/CsvLayout.h"
#include "util/CsvLine.h"
#include "util/CsvReader.h"

namespace {

std::string exportText(int rows) {
    std::string text;
    appendCsvLine(text, CsvLayout::exportHeader());
    for (int i = 1; i <= rows; ++i) {
        testsupport::EntryValues v = testsupport::entryValues(i);
        appendCsvLine(text, {"Lockora", v.title, v.user, v.password, v.location, v.notes, "", "0",
                             "", "2024-05-31"});
    }
    return text;
}

void BM_ReadRows(benchmark::State& state) {
    const std::string text = exportText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::istringstream in(text);
        CsvReader reader(in);
        CsvRecord record;
        long rows = 0;
        while (reader.next(record)) ++rows;
        benchmark::DoNotOptimize(rows);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadRows)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_ImportRows(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "lockora-bench-csv";
    const std::string text = exportText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        std::ofstream(folder / "in.csv", std::ios::binary) << text;
        // An empty data file, as the program's first run leaves it.
        openOrCreate(SYS.File);
        SYS.File.close();
        openOrCreate(PAS.File);
        PAS.File.close();
        state.ResumeTiming();
        std::FILE* sink = std::fopen("/dev/null", "w");
        ImportEntries("in.csv", sink, sink);
        std::fclose(sink);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ImportRows)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
