// The credential list's speed on data files of 100,000 and 1,000,000
// entries, through the browse and the list control on the offscreen
// platform: the whole program runs in this process, and each list action
// is timed from the input (or, for the reload after a request, from the
// update procedure's return) until the list shows the new page and the
// event loop is idle again. Each action is repeated; the median and the
// 99th percentile are reported as counters, with the resident memory of
// the program with the list open. Data files are made once and kept in
// the temporary folder.
#include <benchmark/benchmark.h>

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
#include "app/Lockora.h"
#include "app/Main.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Application.h"
#include "runtime/gui/Window.h"
#include "runtime/robot/Robot.h"
#include "runtime/store/KeyedFile.h"
#include "runtime/store/KeyedOrder.h"
#include "runtime/store/KeyedTransaction.h"

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

// When the update procedure last returned (the reloads are timed from it).
Clock::time_point formReturned;

// Runs `times` samples of one action one after the other, each timed until
// the list shows something new and the loop is idle, then calls next.
class Sampler {
  public:
    Sampler(rt::Window& w, Samples& out, int times, std::function<void(int)> action,
            std::function<void()> next, bool fromForm = false)
        : w_(w),
          out_(out),
          left_(times),
          action_(std::move(action)),
          next_(std::move(next)),
          fromForm_(fromForm) {}

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
        out_.push_back(since(fromForm_ ? formReturned : t0_));
        start();
    }

    rt::Window& w_;
    Samples& out_;
    int left_;
    std::function<void(int)> action_;
    std::function<void()> next_;
    bool fromForm_;
    std::string before_;
    Clock::time_point t0_;
};

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
        bool fromForm = false;
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
        samplers->push_back(std::make_unique<Sampler>(*w, r->actions[step.name], times, step.action,
                                                      *runNext, step.fromForm));
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

void registerAll() {
    for (int entries : {100000, 1000000}) {
        std::string size = entries == 100000 ? "100k" : "1M";
        for (const char* action :
             {"page down", "page up", "row down at the bottom", "ctrl+end / ctrl+home",
              "thumb drag to 37%", "typed locator character"}) {
            benchmark::RegisterBenchmark(("List/" + size + "/" + action).c_str(),
                                         [entries, action](benchmark::State& s) {
                                             report(s, resultsFor(entries).actions.at(action));
                                         })
                ->Iterations(1);
        }
        benchmark::RegisterBenchmark(("List/" + size + "/login to the first page").c_str(),
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
