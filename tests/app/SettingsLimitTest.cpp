// A settings file too large to be a settings file: the program says so at
// start, runs on its defaults, and leaves the file exactly as it was.
#include <gtest/gtest.h>

#include <string>

#include "runtime/host/SettingsFile.h"
#include "tests/app/ProgramFixture.h"

using namespace program;

TEST_F(ProgramFixture, AnOversizedSettingsFileIsReportedAndLeftUntouched) {
    std::string huge = "[Preserved]\nGlo:FileLocation=/kept\n";
    huge += std::string(rt::SettingsFile::MaxFileSize, ';') + "\n";
    testsupport::writeFile(dir.file("Lockora.INI"), huge);
    std::string said;
    rt::Robot robot;
    robot.answerMessageBox(rt::ButtonOk, &said)
        .waitForWindow(kLoginCaption)
        .press(LoginButton)
        .waitForWindow(kNewSystemCaption)
        .type(SysName, "Ada Example")
        .type(SysMaster, "Tr1cky")
        .press(SysOk)
        .waitForWindow(kMainCaption)
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_NE(said.find("Lockora.INI is not used: the settings file is larger than 4 MiB"),
              std::string::npos)
        << said;
    EXPECT_TRUE(settingsText() == huge) << "the oversized settings file was changed";
}
