// The main list's header sort on credential files of 100k and 1M entries:
// a click on a column header to the first page of the new order in the list
// (press and release delivered as a person's, through the window's event
// loop), a second click on the same header (the order reversed), a locator
// character after a Title sort, and the index a two-column order builds on
// its first use, and the eight column indexes a file that lacks them gets.
// Each file is built once into a folder under the system's temporary folder
// and reused by later runs (its column indexes built in bulk after the
// rows). Set LOCKORA_BENCH_SORT_100K=1 to leave out the 1M file.
//
// The window is the main window's list wired as the main window wires it,
// without the login around it. A time runs from the press to the moment the
// window's loop has handled every event the click made and the toolkit has
// painted the window (offscreen: into memory, as a desktop would).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

#include "Samples.h"
#include "app/Dictionary.h"
#include "app/GlobalErrors.h"
#include "app/MainList.h"
#include "runtime/controls/ListControl.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/Application.h"
#include "runtime/gui/Window.h"
#include "runtime/robot/SyntheticInput.h"
#include "runtime/store/KeyedTransaction.h"
#include "runtime/store/View.h"
#include "tests/support/EntryData.h"
#include "window/WindowManager.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kList = 1;
constexpr int kBatch = 20000;
constexpr const char* kFormat =
    "150L(2)|M~Title~@s80@150L(2)|M~Location/URL~@s254@123L(2)|M~User Name~@s65@"
    "69L(2)|M~Password~@s10@";
// An event code no window uses: the bench's own mark in the window's queue.
constexpr int kIdleMark = 9999;
constexpr const char* kTwoColumns = "+UPPER(PAS:TITLE),+UPPER(PAS:LOCATION),+PAS:PRIMARY_ID";

double seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

void addEntries(int entries) {
    for (int id = 1; id <= entries;) {
        rt::beginTransaction({&PAS.File}, 10);
        for (int n = 0; n < kBatch && id <= entries; ++n, ++id) {
            testsupport::EntryValues v = testsupport::entryValues(id);
            PAS.File.clearBuffer();
            PAS.Primary_ID = id;
            PAS.Title = v.title;
            PAS.Location = v.location;
            PAS.UserName = v.user;
            PAS.Password = v.password;
            PAS.Notes = v.notes;
            PAS.File.add();
        }
        rt::commitTransaction();
    }
}

// The rows first, then the column indexes in bulk, as a file made before
// they were declared gets them at its first open.
void buildFile(int entries) {
    if (PAS.File.open() == 2) PAS.File.create();
    PAS.File.close();
    PAS.File.open();
    auto db = PAS.File.database();
    for (const std::string& text : PAS.Definition.orders())
        db->exec("DROP INDEX IF EXISTS \"" +
                 rt::KeyedOrder::parse(PAS.Definition, text)->indexName(PAS.File.table()) + "\"");
    addEntries(entries);
    PAS.File.close();
    PAS.File.open();
    PAS.File.close();
}

void enterDataFolder(int entries) {
    static std::map<int, std::filesystem::path> built;
    auto it = built.find(entries);
    if (it == built.end()) {
        std::filesystem::path folder =
            std::filesystem::temp_directory_path() / "lockora-bench-sort" / std::to_string(entries);
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        if (!std::filesystem::exists(folder / "Lockora.lkdb")) buildFile(entries);
        it = built.emplace(entries, folder).first;
    }
    std::filesystem::current_path(it->second);
}

// The main window's list alone, wired as the main window wires it.
class ListWindow : public WindowManager {
  public:
    ErrorLevel Init() override {
        if (ErrorLevel level = WindowManager::Init()) return level;
        Relate_Passwords->Open();
        FilesOpened = true;
        List.Init(kList, *Relate_Passwords, *this);
        rt::WindowDeclaration d;
        d.caption = "Bench";
        d.width = 512;
        d.height = 206;
        // The list's Insert, Change and Delete buttons are controls 2 to 4.
        d.controls = {rt::control(rt::ControlKind::List, "Password List")
                          .at(4, 4, 504, 184)
                          .listFormat(kFormat)
                          .with(rt::FlagVScroll | rt::FlagPageLoaded),
                      rt::control(rt::ControlKind::Button, "&Add").at(4, 190, 40, 12),
                      rt::control(rt::ControlKind::Button, "&Change").at(48, 190, 40, 12),
                      rt::control(rt::ControlKind::Button, "&Delete").at(92, 190, 40, 12)};
        window = std::make_unique<rt::Window>(d);
        Open(*window);
        List.SetUp();
        List.InitSortHeader(*window, "Bench");
        SetAlerts();
        return LevelBenign;
    }
    ErrorLevel Kill() override {
        ErrorLevel level = WindowManager::Kill();
        if (FilesOpened) Relate_Passwords->Close();
        FilesOpened = false;
        List.BRW1_SortHeader.Kill();
        return level;
    }
    ErrorLevel TakeEvent() override {
        if (List.BRW1_SortHeader.TakeEvents()) return LevelNotify;
        return WindowManager::TakeEvent();
    }
    void SetAlerts() override {
        WindowManager::SetAlerts();
        List.BRW1_SortHeader.SetAlerts();
    }

    // Handles events as the window's own loop does, up to the moment it has
    // nothing left to do and the toolkit has painted: a timer of no delay
    // fires only then, and its mark ends the loop.
    void drain() {
        QTimer::singleShot(0, [this] { window->post(kIdleMark); });
        while (rt::WindowEvent e = window->accept()) {
            if (e.event == kIdleMark) break;
            ErrorLevel result = TakeEvent();
            if (result == LevelNotify) window->cycle();
        }
    }
    rt::ListControl& list() { return *dynamic_cast<rt::ListControl*>(window->TEST_control(kList)); }
    void click(int column) {
        rt::sendClick(list().headerArea(), list().headerCentre(column), Qt::LeftButton,
                      Qt::NoModifier);
        drain();
    }
    void type(const char* text) {
        rt::sendText(list().focusTarget(), QString::fromUtf8(text));
        drain();
    }
    std::string header(int column) {
        return window->property(kList, rt::Prop::HeaderText, column).text();
    }

    MainList List;
    std::unique_ptr<rt::Window> window;
};

// The program's start-up steps a list needs, and the list opened.
struct Session {
    explicit Session(int entries) {
        enterDataFolder(entries);
        GlobalErrors.Init(GlobalErrorStatus);
        DctInit();
        w = std::make_unique<ListWindow>();
        w->Init();
        w->window->open();
        w->drain();
    }
    ~Session() {
        w->window->close();
        w->Kill();
        w.reset();
        DctKill();
        std::remove("Lockora.INI");
    }
    std::unique_ptr<ListWindow> w;
};

// Clicks alternate between two headers, so each is a first click that
// sorts up by a new column.
void BM_HeaderClickToFirstPage(benchmark::State& state) {
    Session s(static_cast<int>(state.range(0)));
    Samples samples;
    int column = 1;
    for (auto _ : state) {
        column = column == 1 ? 2 : 1;
        Clock::time_point start = Clock::now();
        s.w->click(column);
        samples.add(state, seconds(start, Clock::now()));
        if (s.w->header(column).find("[+]") == std::string::npos) {
            state.SkipWithError("the click did not sort");
            break;
        }
    }
    samples.report(state);
}

// The same header again and again: each click reverses the order.
void BM_SecondClickReverses(benchmark::State& state) {
    Session s(static_cast<int>(state.range(0)));
    Samples samples;
    s.w->click(1);
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        s.w->click(1);
        samples.add(state, seconds(start, Clock::now()));
    }
    samples.report(state);
}

// After a Title sort, one typed letter jumps to the next title with it.
void BM_LocatorAfterTitleSort(benchmark::State& state) {
    Session s(static_cast<int>(state.range(0)));
    s.w->click(1);
    const char* letters[] = {"b", "k", "s", "g", "m", "y", "p", "d"};
    Samples samples;
    int i = 0;
    for (auto _ : state) {
        const char* letter = letters[i++ % 8];
        Clock::time_point start = Clock::now();
        s.w->type(letter);
        samples.add(state, seconds(start, Clock::now()));
    }
    samples.report(state);
}

// A two-column order's first use: the index it builds, dropped again after.
void BM_TwoColumnIndexFirstUse(benchmark::State& state) {
    enterDataFolder(static_cast<int>(state.range(0)));
    DctInit();
    PAS.File.open();
    std::string name =
        rt::KeyedOrder::parse(PAS.Definition, kTwoColumns)->indexName(PAS.File.table());
    for (auto _ : state) {
        PAS.File.database()->exec("DROP INDEX IF EXISTS \"" + name + "\"");
        rt::View view(PAS.File);
        Clock::time_point start = Clock::now();
        view.setOrder(kTwoColumns);
        view.open();
        view.next();
        state.SetIterationTime(seconds(start, Clock::now()));
        view.close();
    }
    PAS.File.database()->exec("DROP INDEX IF EXISTS \"" + name + "\"");
    PAS.File.close();
    DctKill();
}

// The eight column indexes a file made before they were declared gets at
// its first open for writing.
void BM_ColumnIndexesOfAFileThatLacksThem(benchmark::State& state) {
    enterDataFolder(static_cast<int>(state.range(0)));
    DctInit();
    for (auto _ : state) {
        PAS.File.open();
        for (const std::string& text : PAS.Definition.orders())
            PAS.File.database()->exec(
                "DROP INDEX IF EXISTS \"" +
                rt::KeyedOrder::parse(PAS.Definition, text)->indexName(PAS.File.table()) + "\"");
        PAS.File.close();
        Clock::time_point start = Clock::now();
        PAS.File.open();
        state.SetIterationTime(seconds(start, Clock::now()));
        PAS.File.close();
    }
    DctKill();
}

std::vector<std::int64_t> sizes() {
    std::vector<std::int64_t> out{100000};
    if (const char* only = std::getenv("LOCKORA_BENCH_SORT_100K"); !only || *only != '1')
        out.push_back(1000000);
    return out;
}

void sized(benchmark::internal::Benchmark* b) {
    for (std::int64_t n : sizes()) b->Arg(n);
    b->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_HeaderClickToFirstPage)->Apply(sized)->Iterations(200);
BENCHMARK(BM_SecondClickReverses)->Apply(sized)->Iterations(200);
BENCHMARK(BM_LocatorAfterTitleSort)->Apply(sized)->Iterations(200);
// Minutes at 1M: once is enough.
BENCHMARK(BM_TwoColumnIndexFirstUse)->Apply(sized)->Iterations(1)->Repetitions(1);
BENCHMARK(BM_ColumnIndexesOfAFileThatLacksThem)->Apply(sized)->Iterations(1)->Repetitions(1);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    rt::Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
