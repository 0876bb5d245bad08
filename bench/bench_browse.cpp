// The credential list's speed on data files of 100,000 and 1,000,000
// entries, through the browse and the list control on the offscreen
// platform. The list actions and the login run in the whole program in this
// process: each action is timed from the input until the list shows the new
// page and the event loop is idle again. The reloads after an insert, a
// change and a delete run on the main window's list alone (as the main
// window wires it): the record is written through the file, and the reload
// is timed from the browse's ResetFromAsk (where it starts when the update
// form returns) until the window has handled every event and painted. Each
// action is repeated; the median and the 99th percentile are reported as
// counters, with the resident memory of the program with the list open.
// Each data file is built once into a folder under the temporary folder and
// reused; every run works on a fresh copy. Set LOCKORA_BENCH_LIST_100K=1 to
// leave out the 1M file.
#include <benchmark/benchmark.h>

#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "EntryData.h"
#include "app/Dictionary.h"
#include "app/GlobalErrors.h"
#include "app/Lockora.h"
#include "app/Main.h"
#include "app/MainList.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Application.h"
#include "runtime/gui/Window.h"
#include "runtime/robot/Robot.h"
#include "runtime/store/KeyedFile.h"
#include "runtime/store/KeyedOrder.h"
#include "runtime/store/KeyedTransaction.h"
#include "window/WindowManager.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Samples = std::vector<double>;  // milliseconds

constexpr const char* kMaster = "Bench1";
// LOCKORA_BENCH_LIST_REPEAT=n runs each action n times (a profiler's run).
const int kRepeat = [] {
    const char* n = std::getenv("LOCKORA_BENCH_LIST_REPEAT");
    return n && std::atoi(n) > 1 ? std::atoi(n) : 200;
}();
constexpr int kLoginPasswordEntry = 2;
constexpr int kLoginButton = 5;

// ---- data files -----------------------------------------------------------

void addEntries(int entries) {
    for (int id = 1; id <= entries;) {
        rt::beginTransaction({&PAS.File}, 10);
        for (int n = 0; n < 10000 && id <= entries; ++n, ++id) {
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

void dropOrderIndexes() {
    auto db = PAS.File.database();
    for (const std::string& text : PAS.Definition.orders())
        db->exec("DROP INDEX IF EXISTS \"" +
                 rt::KeyedOrder::parse(PAS.Definition, text)->indexName(PAS.File.table()) + "\"");
}

int openOrCreate(rt::KeyedFile& file) {
    const int mode = rt::ReadWrite | rt::DenyNone;
    if (file.open(mode) == 2 && file.create() == 0) return file.open(mode);
    return 0;
}

// A fresh copy of the data file of `entries` entries, made the working
// folder's; the original is made once and kept.
void enterDataFolder(int entries) {
    fs::path original = fs::temp_directory_path() / "lockora-bench-list" / std::to_string(entries);
    if (!fs::exists(original / "complete")) {
        fs::remove_all(original);
        fs::create_directories(original);
        fs::current_path(original);
        openOrCreate(SYS.File);
        SYS.File.clearBuffer();
        SYS.MasterPassword = kMaster;
        SYS.File.add();
        SYS.File.close();
        openOrCreate(PAS.File);
        // The rows first, then the order indexes in bulk at the next open
        // for writing: far quicker than keeping them up row by row.
        dropOrderIndexes();
        addEntries(entries);
        PAS.File.close();
        openOrCreate(PAS.File);
        PAS.File.close();
        std::ofstream(original / "complete") << "made\n";
    }
    fs::path work = original / "run";
    fs::remove_all(work);
    fs::create_directories(work);
    fs::copy_file(original / "Lockora.lkdb", work / "Lockora.lkdb");
    fs::current_path(work);
}

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

// ---- timing inside the program's event loop ------------------------------

// What the list shows: every cell and the highlight.
std::string snapshot(rt::Window& w) {
    int list = MainControl::PasswordList;
    std::string out =
        std::to_string(static_cast<int>(w.property(list, rt::Prop::Selected).number()));
    for (int row = 1; row <= w.listRowCount(list); ++row) out += "|" + w.listCell(list, row, 1);
    return out;
}

double since(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Runs `times` samples of one action one after the other, each timed until
// the list shows something new and the loop is idle, then calls next.
class Sampler {
  public:
    Sampler(rt::Window& w, Samples& out, int times, std::function<void(int)> action,
            std::function<void()> next)
        : w_(w), out_(out), left_(times), action_(std::move(action)), next_(std::move(next)) {}

    void start() {
        if (left_-- == 0) return next_();
        before_ = snapshot(w_);
        t0_ = Clock::now();
        action_(left_);
        rt::Robot::whenIdle([this] { check(); });
    }

  private:
    void check() {
        if (snapshot(w_) == before_) return rt::Robot::whenIdle([this] { check(); });
        out_.push_back(since(t0_));
        start();
    }

    rt::Window& w_;
    Samples& out_;
    int left_;
    std::function<void(int)> action_;
    std::function<void()> next_;
    std::string before_;
    Clock::time_point t0_;
};

// ---- the reloads after a request, on the main window's list alone -------

// An event code no window uses: the bench's own mark in the window's queue.
constexpr int kIdleMark = 9999;
constexpr int kList = MainControl::PasswordList;

class ListWindow : public WindowManager {
  public:
    ErrorLevel Init() override {
        if (ErrorLevel level = WindowManager::Init()) return level;
        Relate_Passwords->Open();
        List.Init(kList, *Relate_Passwords, *this);
        rt::WindowDeclaration d;
        d.caption = "Bench";
        d.width = 512;
        d.height = 206;
        // Controls 2 to 4 are the list's Insert, Change and Delete buttons,
        // the list is control 8, as in the main window.
        d.controls = {rt::control(rt::ControlKind::Group, "").at(0, 0, 512, 20),
                      rt::control(rt::ControlKind::Button, "&Add").at(4, 4, 40, 12),
                      rt::control(rt::ControlKind::Button, "&Change").at(48, 4, 40, 12),
                      rt::control(rt::ControlKind::Button, "&Delete").at(92, 4, 40, 12),
                      rt::control(rt::ControlKind::Button, "System").at(136, 4, 40, 12),
                      rt::control(rt::ControlKind::Button, "&Exit").at(180, 4, 40, 12),
                      rt::control(rt::ControlKind::Button, "About").at(224, 4, 40, 12),
                      rt::control(rt::ControlKind::List, "Password List")
                          .at(4, 22, 504, 180)
                          .listFormat("150L(2)|M~Title~@s80@150L(2)|M~Location/URL~@s254@"
                                      "123L(2)|M~User Name~@s65@69L(2)|M~Password~@s10@")
                          .with(rt::FlagVScroll | rt::FlagPageLoaded)};
        window = std::make_unique<rt::Window>(d);
        Open(*window);
        List.SetUp();
        List.InitSortHeader(*window, "Bench");
        SetAlerts();
        return LevelBenign;
    }
    ErrorLevel Kill() override {
        ErrorLevel level = WindowManager::Kill();
        Relate_Passwords->Close();
        List.BRW1_SortHeader.Kill();
        return level;
    }
    // Handles events as the window's own loop does, up to the moment it has
    // nothing left to do and the toolkit has painted: a timer of no delay
    // fires only then, and its mark ends the loop.
    void drain() {
        QTimer::singleShot(0, [this] { window->post(kIdleMark); });
        while (rt::WindowEvent e = window->accept()) {
            if (e.event == kIdleMark) break;
            if (TakeEvent() == LevelNotify) window->cycle();
        }
    }
    // The reload the browse does when the update form returns completed.
    double reload(std::uint8_t request) {
        Clock::time_point t0 = Clock::now();
        std::uint8_t response = ResponseCompleted;
        List.BRW1.ResetFromAsk(request, response);
        drain();
        return since(t0);
    }
    std::string shown() { return window->listCell(kList, List.BRW1.CurrentChoice, 1); }

    MainList List;
    std::unique_ptr<rt::Window> window;
};

// Each request's record is written through the file, as the form writes it.
void measureReloads(int entries, std::map<std::string, Samples>& out) {
    GlobalErrors.Init(GlobalErrorStatus);
    DctInit();
    auto w = std::make_unique<ListWindow>();
    w->Init();
    w->window->open();
    w->drain();
    for (int n = 1; n <= kRepeat; ++n) {
        testsupport::EntryValues v = testsupport::entryValues(entries + n);
        PAS.File.clearBuffer();
        PAS.Primary_ID = entries + n;
        PAS.Title = "Inserted " + v.title;
        PAS.Location = v.location;
        PAS.File.add();
        out["reload after an insert"].push_back(w->reload(RequestInsert));
        if (w->shown() != "Inserted " + v.title) std::abort();
    }
    auto middle = [&] {
        w->window->setProperty(kList, rt::Prop::ScrollPos, rt::Value(50));
        w->window->post(rt::EventScrollDrag, kList);
        w->drain();
    };
    middle();
    for (int n = 1; n <= kRepeat; ++n) {
        w->List.BRW1.UpdateViewRecord();
        std::string title = "Changed " + std::to_string(n);
        PAS.Title = title;
        PAS.File.put();
        out["reload after a change"].push_back(w->reload(RequestChange));
        if (w->shown() != title) std::abort();
    }
    middle();
    for (int n = 1; n <= kRepeat; ++n) {
        w->List.BRW1.UpdateViewRecord();
        std::string gone = w->shown();
        PAS.File.remove();
        out["reload after a delete"].push_back(w->reload(RequestDelete));
        if (w->shown() == gone) std::abort();
    }
    w->window->close();
    w->Kill();
    w.reset();
    DctKill();
}

struct Results {
    std::map<std::string, Samples> actions;
    double loginMs = 0;
    long residentKb = 0;
};

// The actions in the order they run; each starts where the one before
// left the list.
void measureActions(rt::Window& main, Results& results, std::function<void()> done) {
    rt::Window* w = &main;
    Results* r = &results;
    const int list = MainControl::PasswordList;
    auto post = [w, list](int event) { w->post(event, list); };
    auto drag = [w, list](int position) {
        w->setProperty(list, rt::Prop::ScrollPos, rt::Value(position));
        w->post(rt::EventScrollDrag, list);
    };
    struct Step {
        std::string name;
        std::function<void(int)> action;
    };
    auto steps = std::make_shared<std::vector<Step>>(std::vector<Step>{
        {"to the middle", [=](int) { drag(50); }},
        {"page down", [=](int) { post(rt::EventPageDown); }},
        {"page up", [=](int) { post(rt::EventPageUp); }},
        {"row down at the bottom",
         [=](int left) {
             // The first time the highlight goes to the last row; it stays.
             if (left == kRepeat - 1) {
                 w->setProperty(list, rt::Prop::Selected, rt::Value(w->listRowCount(list)));
                 post(rt::EventNewSelection);
             }
             post(rt::EventScrollDown);
         }},
        {"ctrl+end / ctrl+home",
         [=](int left) { post(left % 2 ? rt::EventScrollBottom : rt::EventScrollTop); }},
        {"thumb drag to 37%", [=](int left) { drag(left % 2 ? 37 : 63); }},
        {"typed locator character",
         [](int left) { rt::Robot::typeNow(list, left % 2 ? "5" : "1"); }},
    });
    auto index = std::make_shared<std::size_t>(0);
    auto samplers = std::make_shared<std::vector<std::unique_ptr<Sampler>>>();
    auto runNext = std::make_shared<std::function<void()>>();
    *runNext = [w, r, steps, index, samplers, runNext, done] {
        if (*index == steps->size()) return done();
        const Step& step = (*steps)[(*index)++];
        int times = step.name == "to the middle" ? 1 : kRepeat;
        samplers->push_back(
            std::make_unique<Sampler>(*w, r->actions[step.name], times, step.action, *runNext));
        samplers->back()->start();
    };
    (*runNext)();
}

// The whole program on the working folder's data file: the login timed to
// the first filled page, then every list action.
Results runProgram() {
    Results r;
    bool finished = false;
    Clock::time_point loginPressed;
    rt::Robot robot;
    robot.timeout(600000)
        .waitForWindow("Enter the Master Password")
        .type(kLoginPasswordEntry, kMaster)
        .run("press Login and time the first page",
             [&](rt::Window& login) {
                 loginPressed = Clock::now();
                 login.post(rt::EventAccepted, kLoginButton);
                 auto filled = std::make_shared<std::function<void()>>();
                 *filled = [&, filled] {
                     auto open = rt::Window::openWindows();
                     rt::Window* main = open.empty() ? nullptr : open.back();
                     if (!main || main->caption() != "Password Lockora" ||
                         main->listRowCount(MainControl::PasswordList) == 0)
                         return rt::Robot::whenIdle(*filled);
                     r.loginMs = since(loginPressed);
                     r.residentKb = residentKilobytes();
                     measureActions(*main, r, [&] { finished = true; });
                 };
                 rt::Robot::whenIdle(*filled);
             })
        .check("every action timed", [&](rt::Window&) { return finished; })
        .press(MainControl::ExitButton);
    robot.start();
    Lockora();
    if (robot.failed()) {
        std::fprintf(stderr, "%s\n", robot.failure().c_str());
        std::abort();
    }
    return r;
}

const Results& resultsFor(int entries) {
    static std::map<int, Results> made;
    auto it = made.find(entries);
    if (it == made.end()) {
        enterDataFolder(entries);
        it = made.emplace(entries, runProgram()).first;
        measureReloads(entries, it->second.actions);
    }
    return it->second;
}

double percentile(Samples s, double p) {
    std::sort(s.begin(), s.end());
    if (s.empty()) return 0;
    std::size_t at = static_cast<std::size_t>(p * (s.size() - 1) + 0.5);
    return s[std::min(at, s.size() - 1)];
}

void report(benchmark::State& state, const Samples& samples) {
    for (auto _ : state) benchmark::DoNotOptimize(samples.size());
    state.counters["median_ms"] = percentile(samples, 0.5);
    state.counters["p99_ms"] = percentile(samples, 0.99);
    state.counters["samples"] = static_cast<double>(samples.size());
}

std::vector<int> sizes() {
    std::vector<int> out{100000};
    if (const char* only = std::getenv("LOCKORA_BENCH_LIST_100K"); !only || *only != '1')
        out.push_back(1000000);
    return out;
}

// The two sizes of each action side by side.
void registerAll() {
    const char* actions[] = {"page down",
                             "page up",
                             "row down at the bottom",
                             "ctrl+end / ctrl+home",
                             "thumb drag to 37%",
                             "typed locator character",
                             "reload after an insert",
                             "reload after a change",
                             "reload after a delete"};
    for (const char* action : actions)
        for (int entries : sizes()) {
            std::string size = entries == 100000 ? "100k" : "1M";
            benchmark::RegisterBenchmark(("List/" + std::string(action) + "/" + size).c_str(),
                                         [entries, action](benchmark::State& s) {
                                             report(s, resultsFor(entries).actions.at(action));
                                         })
                ->Iterations(1);
        }
    for (int entries : sizes()) {
        std::string size = entries == 100000 ? "100k" : "1M";
        benchmark::RegisterBenchmark(("List/login to the first page/" + size).c_str(),
                                     [entries](benchmark::State& s) {
                                         const Results& r = resultsFor(entries);
                                         report(s, {r.loginMs});
                                         s.counters["resident_MB"] = r.residentKb / 1024.0;
                                     })
            ->Iterations(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    rt::Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
