#pragma once
// The credential form over a real data file in a fresh folder, called the way
// the main window's browse calls it: the request in GlobalRequest and the
// entry in the PAS buffer, the Passwords table held open by the caller.
// What the form wrote is read back straight through the storage library,
// past the program's own reading code; locations the form opens are caught.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/Dictionary.h"
#include "app/GlobalErrors.h"
#include "app/OwnerPassword.h"
#include "app/UpdatePassword.h"
#include "app/UpdatePasswordWindow.h"
#include "data/FilesManager.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Host.h"
#include "runtime/robot/Robot.h"
#include "tests/errors/ErrorTestFixture.h"
#include "tests/support/CipherQuery.h"
#include "tests/support/TempDir.h"
#include "window/Requests.h"

namespace passwordform {
inline const std::string kAddCaption = "Record Will Be Added";
inline const std::string kChangeCaption = "Record Will Be Changed";
inline const std::string kViewCaption = "View Record";
inline const std::string kPickerCaption = "Select a Date";
}  // namespace passwordform

class PasswordFormTest : public ErrorTestFixture {
  protected:
    void SetUp() override {
        ErrorTestFixture::SetUp();
        GlobalErrors.Init(GlobalErrorStatus);
        FilesManager::Current().StatusQ.clear();
        PAS.File.clearBuffer();
        PAS.Notes.clear();
        SYS.File.clearBuffer();
        GlobalRequest = GlobalResponse = 0;
        DctInit();
        oldOpener_ = rt::Host::TEST_setUrlOpener([this](const std::string& url) {
            opened.push_back(url);
            return true;
        });
        ASSERT_EQ(Relate_Passwords->Open(), LevelBenign);
    }

    void TearDown() override {
        Relate_Passwords->Close();
        DctKill();
        rt::Host::TEST_setUrlOpener(oldOpener_);
        ErrorTestFixture::TearDown();
    }

    // Adds an entry the way the form would, directly; answers its number.
    std::int32_t addEntry(const std::string& title, const std::string& location = {}) {
        EXPECT_EQ(Access_Passwords->PrimeRecord(), LevelBenign);
        PAS.Title = title;
        PAS.Location = location;
        EXPECT_EQ(Access_Passwords->Insert(), LevelBenign);
        return PAS.Primary_ID;
    }

    // The browse's preparations: a primed blank record, or the entry read.
    void primeNewEntry() { ASSERT_EQ(Access_Passwords->PrimeRecord(), LevelBenign); }
    void loadEntry(std::int32_t id) {
        PAS.Primary_ID = id;
        ASSERT_EQ(Access_Passwords->Fetch(PAS.KeyPrimary), LevelBenign);
    }

    // Runs the form with the robot's script alongside; answers the response.
    std::uint8_t runForm(std::uint8_t request, rt::Robot& robot) {
        robot.start();
        GlobalRequest = request;
        UpdatePassword();
        EXPECT_TRUE(robot.runNow()) << robot.failure();
        return GlobalResponse;
    }

    // The rows of a query on the data file, read straight through the
    // storage library; each row maps the selected columns to their text.
    std::vector<std::map<std::string, std::string>> query(const std::vector<std::string>& columns) {
        std::string select;
        for (const std::string& c : columns) select += (select.empty() ? "" : ", ") + c;
        testsupport::Rows rows =
            testsupport::cipherQuery(dir.file("Lockora.lkdb"), kOwnerPassword,
                                     "SELECT " + select + " FROM Password ORDER BY Primary_ID");
        std::vector<std::map<std::string, std::string>> named;
        for (const auto& row : rows) {
            EXPECT_EQ(row.size(), columns.size()) << row.front();
            std::map<std::string, std::string> r;
            for (std::size_t i = 0; i < row.size() && i < columns.size(); ++i)
                r[columns[i]] = row[i];
            named.push_back(std::move(r));
        }
        return named;
    }

    testsupport::TempDir dir;
    std::vector<std::string> opened;

  private:
    rt::Host::UrlOpener oldOpener_;
};
