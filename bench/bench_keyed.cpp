// The keyed driver's speed on credential tables of 10k, 100k and (with
// LOCKORA_BENCH_1M=1) 1M rows: open with key derivation, a 30-row page in
// title order from a random record, forward and backward, with and without an
// index that fits the order, get by key, and inserts and updates in a
// transaction. Each table is built once into a folder under the system's
// temporary folder and reused by later runs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "runtime/store/FileDefinition.h"
#include "runtime/text/FixedText.h"
#include "runtime/store/KeyedFile.h"
#include "runtime/store/KeyedTransaction.h"
#include "runtime/store/View.h"

namespace {

constexpr int kPage = 30;
constexpr const char* kTitleOrder = "+UPPER(PAS:TITLE),+PAS:PRIMARY_ID";
// No key serves it and a read-only file never gets an index for it.
constexpr const char* kUnindexedOrder = "+UPPER(PAS:USERNAME),+PAS:PRIMARY_ID";

struct Credential {
    std::int32_t Primary_ID = 0;
    rt::String<80> Title;
    rt::String<254> Location;
    rt::String<65> UserName;
    rt::String<10> Password;
    std::string Notes;
};

struct Table {
    Credential PAS;
    rt::FileDefinition def;
    rt::KeyedStation station;
    std::unique_ptr<rt::KeyedFile> file;

    Table(const std::filesystem::path& folder, int mode = rt::ReadWrite | rt::DenyNone)
        : def("Passwords", "PAS", (folder / "Lockora").string() + "\\!Password", "mirlotapex") {
        def.addField("PAS:Primary_ID", PAS.Primary_ID);
        def.addField("PAS:Title", PAS.Title);
        def.addField("PAS:Location", PAS.Location);
        def.addField("PAS:UserName", PAS.UserName);
        def.addField("PAS:Password", PAS.Password);
        def.addMemo("PAS:Notes", PAS.Notes, 1000);
        def.addKey("PAS:KeyPrimary", "PAS:KeyPrimary", {{PAS.Primary_ID, true}}, true, true);
        def.addKey("PAS:KeyTitle", "PAS:KeyTitle", {{PAS.Primary_ID, true}, {PAS.Title, true}},
                   true);
        file = std::make_unique<rt::KeyedFile>(def, &station);
        if (file->open(mode) == 2 && file->create() == 0) file->open(mode);
    }
};

std::string words(std::mt19937& random, std::size_t length) {
    static const char* syllables[] = {"ka",  "lo", "mi",  "re",  "tan", "vo",
                                      "sel", "ul", "bri", "don", "e",   "Ze"};
    std::string out;
    while (out.size() < length) {
        out += syllables[random() % 12];
        if (random() % 5 == 0) out += ' ';
    }
    return out.substr(0, length);
}

void fill(Credential& c, std::mt19937& random, int id) {
    c.Primary_ID = id;
    c.Title = words(random, 14 + random() % 12);
    c.Location = "https://" + words(random, 25 + random() % 20) + ".example";
    c.UserName = words(random, 10 + random() % 10);
    c.Password = words(random, 10);
    c.Notes = words(random, 80 + random() % 40);
}

// The folder of a table of `rows` credentials, built on first use.
std::filesystem::path dataFor(int rows) {
    static std::map<int, std::filesystem::path> built;
    if (built.count(rows)) return built[rows];
    auto folder = std::filesystem::temp_directory_path() / "lockora-bench" / std::to_string(rows);
    std::filesystem::create_directories(folder);
    Table t(folder);
    if (t.file->records() < rows) {
        std::mt19937 random(rows);
        for (int id = static_cast<int>(t.file->records()) + 1; id <= rows;) {
            rt::beginTransaction({t.file.get()}, 10);
            for (int end = std::min(rows, id + 9999); id <= end; ++id) {
                fill(t.PAS, random, id);
                t.file->add();
            }
            rt::commitTransaction(t.station);
        }
    }
    // Builds the title order's index, as the first view using it does.
    rt::View view(*t.file);
    view.setOrder(kTitleOrder);
    view.open();
    return built[rows] = folder;
}

std::vector<int> sizes() {
    std::vector<int> out{10000, 100000};
    if (const char* big = std::getenv("LOCKORA_BENCH_1M"); big && *big == '1')
        out.push_back(1000000);
    return out;
}

void BM_OpenWithKeyDerivation(benchmark::State& state) {
    auto folder = dataFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Table t(folder);
        if (!t.file->isOpen()) state.SkipWithError("open failed");
    }
}

void pageRead(benchmark::State& state, const char* order, bool forward, int mode) {
    int rows = static_cast<int>(state.range(0));
    Table t(dataFor(rows), mode);
    rt::View view(*t.file);
    view.setOrder(order);
    view.open();
    view.setReadAhead(kPage);
    std::mt19937 random(7);
    for (auto _ : state) {
        t.PAS.Primary_ID = 1 + static_cast<int>(random() % rows);
        t.file->get(0);
        view.reset(t.file->position());
        int read = 0;
        while (read < kPage && (forward ? view.next() : view.previous()) == 0) ++read;
        benchmark::DoNotOptimize(read);
    }
    state.SetItemsProcessed(state.iterations() * kPage);
}

void BM_PageForwardIndexed(benchmark::State& s) {
    pageRead(s, kTitleOrder, true, rt::ReadWrite | rt::DenyNone);
}
void BM_PageBackwardIndexed(benchmark::State& s) {
    pageRead(s, kTitleOrder, false, rt::ReadWrite | rt::DenyNone);
}
void BM_PageForwardNoIndex(benchmark::State& s) {
    pageRead(s, kUnindexedOrder, true, rt::ReadOnly | rt::DenyNone);
}
void BM_PageBackwardNoIndex(benchmark::State& s) {
    pageRead(s, kUnindexedOrder, false, rt::ReadOnly | rt::DenyNone);
}

void BM_FullScan(benchmark::State& state) {
    Table t(dataFor(static_cast<int>(state.range(0))));
    t.file->setReadAhead(100);
    for (auto _ : state) {
        t.file->set(1);
        std::int64_t read = 0;
        while (t.file->next() == 0) ++read;
        benchmark::DoNotOptimize(read);
    }
}

void BM_GetByKey(benchmark::State& state) {
    int rows = static_cast<int>(state.range(0));
    Table t(dataFor(rows));
    std::mt19937 random(11);
    for (auto _ : state) {
        t.PAS.Primary_ID = 1 + static_cast<int>(random() % rows);
        if (t.file->get(0) != 0) state.SkipWithError("get failed");
    }
}

// 100 rows per transaction; the rows go again afterwards, untimed, so the
// table keeps its size for later runs.
void BM_InsertInTransaction(benchmark::State& state) {
    int rows = static_cast<int>(state.range(0));
    Table t(dataFor(rows));
    std::mt19937 random(13);
    int next = rows + 1;
    for (auto _ : state) {
        rt::beginTransaction({t.file.get()}, 10);
        for (int i = 0; i < 100; ++i) {
            fill(t.PAS, random, next++);
            t.file->add();
        }
        rt::commitTransaction(t.station);
    }
    state.SetItemsProcessed(state.iterations() * 100);
    rt::beginTransaction({t.file.get()}, 10);
    for (int id = rows + 1; id < next; ++id) {
        t.PAS.Primary_ID = id;
        if (t.file->get(0) == 0) t.file->remove();
    }
    rt::commitTransaction(t.station);
}

void BM_UpdateInTransaction(benchmark::State& state) {
    int rows = static_cast<int>(state.range(0));
    Table t(dataFor(rows));
    std::mt19937 random(17);
    for (auto _ : state) {
        rt::beginTransaction({t.file.get()}, 10);
        for (int i = 0; i < 100; ++i) {
            t.PAS.Primary_ID = 1 + static_cast<int>(random() % rows);
            t.file->get(0);
            t.PAS.Password = words(random, 10);
            t.file->put();
        }
        rt::commitTransaction(t.station);
    }
    state.SetItemsProcessed(state.iterations() * 100);
}

void sizesOf(benchmark::internal::Benchmark* b) {
    for (int size : sizes()) b->Arg(size);
}

}  // namespace

BENCHMARK(BM_OpenWithKeyDerivation)->Apply(sizesOf)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PageForwardIndexed)->Apply(sizesOf)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageBackwardIndexed)->Apply(sizesOf)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageForwardNoIndex)->Apply(sizesOf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PageBackwardNoIndex)->Apply(sizesOf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FullScan)->Apply(sizesOf)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_GetByKey)->Apply(sizesOf)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InsertInTransaction)->Apply(sizesOf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpdateInTransaction)->Apply(sizesOf)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
