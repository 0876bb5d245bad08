// From process launch to the first window mapped on a display server: the
// real program's login window, side by side in one run with a minimal
// toolkit program that shows one dialog. The time is taken when the display
// server reports the window with the awaited title mapped, so it holds the
// whole start of the process (loader, toolkit, program) and nothing of the
// measuring. Needs a display server (`make bench` starts a virtual one).
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BenchEntries.h"
#include "Samples.h"
#include "app/Dictionary.h"
#include "runtime/gui/Application.h"
#include "runtime/store/KeyedFile.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// The login window maps under its declared caption or, once its opening
// steps have run, under the title of its action; either is the window shown.
const std::vector<std::string> kLoginCaptions = {"Enter Master Password",
                                                 "Enter the Master Password"};
const std::vector<std::string> kMinimalCaptions = {"Minimal Dialog"};
constexpr auto kPatience = std::chrono::seconds(20);

// A data folder whose file holds a master password, so the program stops
// at its login window as it does for a person every day.
std::filesystem::path dataFolder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / "lockora-bench-launch";
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        auto previous = std::filesystem::current_path();
        std::filesystem::current_path(path);
        openOrCreate(SYS.File);
        SYS.File.clearBuffer();
        SYS.MasterPassword = "Bench1";
        SYS.File.add();
        SYS.File.close();
        openOrCreate(PAS.File);
        PAS.File.close();
        std::filesystem::current_path(previous);
        return path;
    }();
    return folder;
}

// The environment children get: this one's, less the platform this process
// chose for itself, so that they open their windows on the display server.
std::vector<char*> childEnvironment() {
    std::vector<char*> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0) env.push_back(*e);
    env.push_back(nullptr);
    return env;
}

// Watches the display server for top-level windows being mapped.
class MapWatcher {
  public:
    MapWatcher() : connection_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection_)) return;
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }
    ~MapWatcher() { xcb_disconnect(connection_); }
    bool ready() const { return !xcb_connection_has_error(connection_); }

    // Waits for a window with one of `titles` to be mapped; the time it was
    // seen, or nothing when it never came.
    std::optional<Clock::time_point> awaitMapped(const std::vector<std::string>& titles) {
        const auto deadline = Clock::now() + kPatience;
        while (Clock::now() < deadline) {
            std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(
                xcb_poll_for_event(connection_), &std::free);
            if (!event) {
                if (xcb_connection_has_error(connection_)) return std::nullopt;
                usleep(200);
                continue;
            }
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) continue;
            auto now = Clock::now();
            auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event.get());
            if (std::ranges::find(titles, titleOf(map->window)) != titles.end()) return now;
        }
        return std::nullopt;
    }

  private:
    std::string titleOf(xcb_window_t window) {
        auto cookie = xcb_get_property(connection_, 0, window, XCB_ATOM_WM_NAME,
                                       XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(connection_, cookie, nullptr), &std::free);
        if (!reply) return {};
        return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                           static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
    }

    xcb_connection_t* connection_;
    xcb_window_t root_ = 0;
};

// One launch of `program` in `folder`: the seconds to its window with one
// of `titles`, or a negative number when it never showed.
double launchToWindow(MapWatcher& watcher, const std::string& program,
                      const std::filesystem::path& folder, const std::vector<std::string>& titles) {
    std::vector<char*> env = childEnvironment();
    auto start = Clock::now();
    pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(127);
        char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
        execve(program.c_str(), argv, env.data());
        _exit(127);
    }
    auto shown = watcher.awaitMapped(titles);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    if (!shown) return -1;
    return std::chrono::duration<double>(*shown - start).count();
}

void timeLaunches(benchmark::State& state, const std::string& program,
                  const std::filesystem::path& folder, const std::vector<std::string>& titles) {
    MapWatcher watcher;
    if (!watcher.ready()) {
        state.SkipWithError("no display server: run under xvfb-run (make bench does)");
        return;
    }
    Samples samples;
    for (auto _ : state) {
        double seconds = launchToWindow(watcher, program, folder, titles);
        if (seconds < 0) {
            state.SkipWithError(("no window titled \"" + titles.back() + "\" appeared").c_str());
            return;
        }
        samples.add(state, seconds);
    }
    samples.report(state);
}

void BM_LaunchToLoginShown(benchmark::State& state) {
    timeLaunches(state, LOCKORA_PROGRAM, dataFolder(), kLoginCaptions);
}

void BM_LaunchMinimalDialogShown(benchmark::State& state) {
    timeLaunches(state, MINIMAL_DIALOG_PROGRAM, std::filesystem::temp_directory_path(),
                 kMinimalCaptions);
}

// One run of many launches each: the median and the 99th percentile are
// over launches.
BENCHMARK(BM_LaunchMinimalDialogShown)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40)
    ->Repetitions(1);
BENCHMARK(BM_LaunchToLoginShown)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40)
    ->Repetitions(1);

}  // namespace

int main(int argc, char** argv) {
    // This process only makes the data file; the launched ones use the display.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    rt::Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
