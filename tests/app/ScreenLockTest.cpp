// The desktop locking its screen locks the program too: the screen saver's
// ActiveChanged(true) on a session bus of the test's own, sent by the bus's
// own command-line tool. Without a bus, the program runs as ever.
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "tests/app/IdleLockFixture.h"

using namespace program;

namespace {

// A session bus daemon of the test's own, stopped with the object.
class PrivateSessionBus {
  public:
    PrivateSessionBus() {
        FILE* out = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
        if (!out) return;
        char line[512] = {};
        if (std::fgets(line, sizeof line, out)) address_ = trimmed(line);
        if (std::fgets(line, sizeof line, out)) pid_ = std::atoi(line);
        pclose(out);
    }
    ~PrivateSessionBus() {
        if (pid_ > 0) kill(pid_, SIGTERM);
    }
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    bool running() const { return pid_ > 0 && !address_.empty(); }
    const std::string& address() const { return address_; }

  private:
    static std::string trimmed(std::string text) {
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        return text;
    }
    std::string address_;
    int pid_ = 0;
};

void sendScreenSaverActive(const std::string& address) {
    std::string command = "dbus-send --bus='" + address +
                          "' --type=signal /org/freedesktop/ScreenSaver "
                          "org.freedesktop.ScreenSaver.ActiveChanged boolean:true";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

}  // namespace

class ScreenLockTest : public IdleLockFixture {
  protected:
    void SetUp() override {
        IdleLockFixture::SetUp();
        ASSERT_TRUE(bus.running()) << "dbus-daemon did not start";
        // Read by the toolkit when the program first looks for the bus.
        setenv("DBUS_SESSION_BUS_ADDRESS", bus.address().c_str(), 1);
    }

    PrivateSessionBus bus;
};

// The signal goes out until the login shows: the program subscribes to it
// after its own login, and a signal sent before that reaches no one.
TEST_F(ScreenLockTest, TheScreenSaverTurningActiveLocksTheProgram) {
    makeDataFile(5);
    std::string address = bus.address();
    rt::Robot robot;
    login(robot)
        .check("the screen locks",
               [&](rt::Window&) {
                   if (loginShown()) return true;
                   sendScreenSaverActive(address);
                   return false;
               })
        .waitForWindow(kLoginCaption)
        .check("the main window is off the screen",
               [](rt::Window&) { return !onScreen(windowCaptioned(kMainCaption)); });
    unlock(robot)
        .waitForWindow(kMainCaption)
        .check("back", [](rt::Window& w) { return onScreen(&w) && !loginShown(); })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_TRUE(halts.empty());
}

TEST_F(ScreenLockTest, LockWithScreenZeroLeavesTheScreenLockAlone) {
    makeDataFile(5);
    writeOptions("LockWithScreen=0\n");
    std::string address = bus.address();
    rt::Robot robot;
    auto sent = std::make_shared<std::chrono::steady_clock::time_point>();
    login(robot)
        .run("the screen locks",
             [&, sent](rt::Window&) {
                 sendScreenSaverActive(address);
                 *sent = std::chrono::steady_clock::now();
             })
        .check("a person's moment has passed since", [sent](rt::Window&) {
            return std::chrono::steady_clock::now() - *sent > std::chrono::seconds(2);
        });
    // The screen lock was not followed; the idle limit still locks.
    locksAt(robot, 300);
    unlock(robot).waitForWindow(kMainCaption).press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
}

TEST_F(IdleLockFixture, WithoutASessionBusTheIdleLockStillWorks) {
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/lockora-no-bus", 1);
    makeDataFile(5);
    rt::Robot robot;
    login(robot);
    locksAt(robot, 300);
    unlock(robot).waitForWindow(kMainCaption).press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_TRUE(halts.empty());
}
