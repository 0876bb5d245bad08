#pragma once
// Runs the whole program inside the test process in a fresh working folder:
// halts, message boxes, launched locations and the host's facts are caught
// or chosen by the test, so an exit is observed instead of carried out.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AboutWindow.h"
#include "app/GetPasswordWindow.h"
#include "app/Lockora.h"
#include "app/Main.h"
#include "app/SystemForm.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Halt.h"
#include "runtime/host/Host.h"
#include "runtime/robot/Robot.h"
#include "tests/support/TempDir.h"

// The program's controls by the names their windows' headers give them.
namespace program {
enum : int {
    LoginEntry = LoginControl::PasswordEntry,
    LoginMessage = LoginControl::LoginMessageString,
    LoginButton = LoginControl::LoginButton,
    LoginCancel = LoginControl::CancelButton,
    SysName = SystemControl::NameEntry,
    SysAddress = SystemControl::AddressEntry,
    SysMaster = SystemControl::MasterPasswordEntry,
    SysInfoTab = SystemControl::InfoTab,
    SysUserString = SystemControl::UserString,
    SysOk = SystemControl::OkButton,
    SysCancel = SystemControl::CancelButton,
    MainSystem = MainControl::SystemButton,
    MainExit = MainControl::ExitButton,
    MainAbout = MainControl::AboutButton,
    MainList = MainControl::PasswordList,
    MainLink = MainControl::LinkButton,
    LinkRegion = MainControl::LinkRegion,
    AboutClose = AboutControl::CloseButton,
};
inline const std::string kLoginCaption = "Enter the Master Password";
inline const std::string kMainCaption = "Password Lockora";
inline const std::string kNewSystemCaption = "Record Will Be Added  (New)";
}  // namespace program

class ProgramFixture : public testing::Test {
  protected:
    void SetUp() override {
        oldHalt_ =
            rt::setHaltHandler([this](int code, const std::string&) { halts.push_back(code); });
        oldBox_ = rt::TEST_setMessageBoxHook([this](const rt::MessageBoxRequest& request) {
            boxes.push_back(request.text);
            return request.defaultButton;
        });
        oldOpener_ = rt::Host::TEST_setUrlOpener([this](const std::string& url) {
            opened.push_back(url);
            return true;
        });
        oldUser_ =
            rt::Host::TEST_setUserNameHook([] { return std::optional<std::string>("tester"); });
        oldComputer_ = rt::Host::TEST_setComputerNameHook([] { return std::string("testbox"); });
        oldOs_ = rt::Host::TEST_setOsDescriptionHook([] { return std::string("Test OS 1.0"); });
    }

    void TearDown() override {
        rt::setHaltHandler(oldHalt_);
        rt::TEST_setMessageBoxHook(oldBox_);
        rt::Host::TEST_setUrlOpener(oldOpener_);
        rt::Host::TEST_setUserNameHook(oldUser_);
        rt::Host::TEST_setComputerNameHook(oldComputer_);
        rt::Host::TEST_setOsDescriptionHook(oldOs_);
    }

    // A robot that writes its screenshots where tests leave artefacts.
    static void prepare(rt::Robot& robot) {
        robot.screenshotFolder(testsupport::outputDir().string());
    }

    // Runs the program with the robot's script alongside; answers the exit
    // code. A script that fails is reported as a test failure.
    int runProgram(rt::Robot& robot) {
        robot.start();
        int code = Lockora();
        EXPECT_FALSE(robot.failed()) << robot.failure();
        return code;
    }

    // A first run that sets the owner's name and the master password.
    void firstRun(const std::string& name, const std::string& master) {
        rt::Robot robot;
        robot.waitForWindow(program::kLoginCaption)
            .press(program::LoginButton)
            .waitForWindow(program::kNewSystemCaption)
            .type(program::SysName, name)
            .type(program::SysMaster, master)
            .press(program::SysOk)
            .waitForWindow(program::kMainCaption)
            .press(program::MainExit);
        ASSERT_EQ(runProgram(robot), 0);
    }

    std::string settingsText() const { return testsupport::readFile(dir.file("Lockora.INI")); }

    testsupport::TempDir dir;
    std::vector<int> halts;
    std::vector<std::string> boxes;
    std::vector<std::string> opened;

  private:
    rt::HaltHandler oldHalt_;
    rt::MessageBoxHook oldBox_;
    rt::Host::UrlOpener oldOpener_;
    rt::Host::UserNameHook oldUser_;
    rt::Host::TextHook oldComputer_;
    rt::Host::TextHook oldOs_;
};
