// Start-up timings of the whole program, run as a procedure in this process:
// from the start of the program to the login window shown, and from pressing
// Login to the main window shown, on an empty data file and on one holding
// 100k entries. The robot polls every 5 ms, which bounds the resolution.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "BenchEntries.h"
#include "app/Dictionary.h"
#include "app/Lockora.h"
#include "runtime/gui/Application.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Halt.h"
#include "runtime/robot/Robot.h"
#include "runtime/store/KeyedFile.h"
#include "runtime/store/KeyedTransaction.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kMaster = "Bench1";
// A folder with a data file of `entries` entries and a master password,
// built once per size and made the working folder.
void enterDataFolder(int entries) {
    static std::map<int, std::filesystem::path> built;
    auto it = built.find(entries);
    if (it == built.end()) {
        std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("lockora-bench-startup-" + std::to_string(entries));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        openOrCreate(SYS.File);
        SYS.File.clearBuffer();
        SYS.MasterPassword = kMaster;
        SYS.File.add();
        SYS.File.close();
        openOrCreate(PAS.File);
        addEntries(entries);
        PAS.File.close();
        it = built.emplace(entries, folder).first;
    }
    std::filesystem::current_path(it->second);
}

struct Marks {
    Clock::time_point start, loginShown, loginPressed, mainShown;
};

Marks runOnce() {
    Marks marks;
    rt::Robot robot;
    robot.timeout(60000)
        .waitForWindow("Enter the Master Password")
        .run("login shown", [&](rt::Window&) { marks.loginShown = Clock::now(); })
        .type(2, kMaster)
        .run("press Login", [&](rt::Window&) { marks.loginPressed = Clock::now(); })
        .press(5)
        .waitForWindow("Password Lockora")
        .run("main shown", [&](rt::Window&) { marks.mainShown = Clock::now(); })
        .press(6);
    robot.start();
    marks.start = Clock::now();
    Lockora();
    if (robot.failed()) std::abort();
    return marks;
}

double seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

void BM_StartToLoginShown(benchmark::State& state) {
    enterDataFolder(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Marks m = runOnce();
        state.SetIterationTime(seconds(m.start, m.loginShown));
    }
}

void BM_LoginToMainShown(benchmark::State& state) {
    enterDataFolder(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Marks m = runOnce();
        state.SetIterationTime(seconds(m.loginPressed, m.mainShown));
    }
}

BENCHMARK(BM_StartToLoginShown)
    ->Arg(0)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK(BM_LoginToMainShown)
    ->Arg(0)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    rt::Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
