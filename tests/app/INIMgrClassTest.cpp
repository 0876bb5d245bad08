#include <gtest/gtest.h>

#include "app/GlobalData.h"
#include "app/INIMgrClass.h"
#include "tests/support/TempDir.h"

TEST(INIMgrClassTest, CarriesTheFileLocationThroughTheSettingsFile) {
    testsupport::TempDir dir;
    GLO.FileLocation = "stale";
    INIMgrClass settings;
    settings.Init(".\\Lockora.INI");
    EXPECT_TRUE(GLO.FileLocation.blank()) << "a missing file leaves the location blank";

    GLO.FileLocation = "/home/ada/vault";
    settings.Update();
    settings.Kill();
    GLO.FileLocation.clear();

    INIMgrClass again;
    again.Init(".\\Lockora.INI");
    EXPECT_EQ(GLO.FileLocation.clipped(), "/home/ada/vault");
    again.Kill();
    std::string text = testsupport::readFile(dir.file("Lockora.INI"));
    EXPECT_NE(text.find("[Preserved]"), std::string::npos) << text;
}
