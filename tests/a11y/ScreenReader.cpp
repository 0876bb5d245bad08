#include "tests/a11y/ScreenReader.h"

#include <chrono>
#include <thread>

#include "tests/support/ProgramRun.h"

namespace a11y {

namespace {

// The events by which a screen reader follows the focus and the highlighted
// row of a list.
const char* const kFollowed[] = {
    "object:state-changed:focused",
    "object:state-changed:selected",
    "object:active-descendant-changed",
    "object:selection-changed",
    "focus:",
};

constexpr const char* kXdotool = "/usr/bin/xdotool";

bool runTool(const std::vector<std::string>& arguments) {
    testsupport::ProgramCall call;
    call.arguments = {arguments.begin() + 1, arguments.end()};
    testsupport::ProgramRun run = testsupport::runProgram(
        arguments.front(), std::filesystem::current_path(), {}, call, 60000);
    return run.exitCode == 0;
}

}  // namespace

ScreenReader::ScreenReader() {
    // 0: joined now; 1: joined before.
    ok_ = atspi_init() >= 0;
    if (!ok_) return;
    listener_ = atspi_event_listener_new(&ScreenReader::onEvent, this, nullptr);
    for (const char* type : kFollowed) {
        GError* error = nullptr;
        if (!atspi_event_listener_register(listener_, type, &error)) ok_ = false;
        if (error) g_error_free(error);
    }
}

ScreenReader::~ScreenReader() {
    if (!listener_) return;
    for (const char* type : kFollowed) atspi_event_listener_deregister(listener_, type, nullptr);
    g_object_unref(listener_);
}

void ScreenReader::onEvent(AtspiEvent* event, void* self) {
    auto* reader = static_cast<ScreenReader*>(self);
    Announcement heard;
    heard.type = event->type ? event->type : "";
    heard.detail = event->detail1;
    if (event->source) {
        AccessibleNode source(static_cast<AtspiAccessible*>(g_object_ref(event->source)));
        heard.role = source.role();
        heard.name = source.name();
    }
    reader->heard_.push_back(std::move(heard));
}

void ScreenReader::pump() {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
}

bool ScreenReader::waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pump();
        if (condition()) return true;
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

AccessibleNode ScreenReader::waitForApplication(int pid, int timeoutMs) {
    AccessibleNode found;
    waitUntil(
        [&] {
            AccessibleNode desktop(atspi_get_desktop(0));
            for (const AccessibleNode& app : desktop.children())
                if (app.processId() == pid) found = app;
            return static_cast<bool>(found);
        },
        timeoutMs);
    // The program's windows come and go: read them fresh each time.
    if (found) atspi_accessible_set_cache_mask(found.get(), ATSPI_CACHE_NONE);
    return found;
}

AccessibleNode ScreenReader::waitForWindow(const AccessibleNode& app, const std::string& caption,
                                           int timeoutMs) {
    AccessibleNode found;
    waitUntil(
        [&] {
            for (const AccessibleNode& window : app.children())
                if (window.name().rfind(caption, 0) == 0 && window.has(ATSPI_STATE_SHOWING))
                    found = window;
            return static_cast<bool>(found);
        },
        timeoutMs);
    return found;
}

const std::vector<Announcement>& ScreenReader::heard() {
    pump();
    return heard_;
}

void ScreenReader::clearHeard() {
    pump();
    heard_.clear();
}

bool ScreenReader::pressKey(const std::string& key) {
    return runTool({kXdotool, "key", "--clearmodifiers", key});
}

bool ScreenReader::type(const std::string& text) {
    return runTool({kXdotool, "type", "--delay", "30", "--", text});
}

bool ScreenReader::click(const Extents& at) {
    return runTool({kXdotool, "mousemove", "--sync", std::to_string(at.x + at.width / 2),
                    std::to_string(at.y + at.height / 2), "click", "1"});
}

}  // namespace a11y
