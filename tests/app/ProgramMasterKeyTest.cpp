// The master password protects the data: the whole program driven as a
// person would, with the data file checked through the cipher's own shell.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

#include "app/Dictionary.h"
#include "app/GlobalData.h"
#include "runtime/controls/Prop.h"
#include "runtime/store/CipherKey.h"
#include "runtime/store/KeyedFile.h"
#include "runtime/text/FixedText.h"
#include "tests/app/ProgramFixture.h"
#include "tests/support/SqlShell.h"
#include "tests/support/Tools.h"

using namespace program;

namespace {

bool shows(const rt::Window& w, int control) {
    return w.property(control, rt::Prop::Visible).number() == 1;
}

bool refusedAndEmptied(const rt::Window& w) {
    return shows(w, LoginMessage) &&
           rt::rightTrim(w.text(LoginMessage)) == "'Incorrect Password'" &&
           rt::rightTrim(w.text(LoginEntry)).empty();
}

std::string changedCaption(const std::string& name) {
    std::string padded = name;
    padded.resize(35, ' ');
    return "Record Will Be Changed  (" + padded + ")";
}

class ProgramMasterKeyTest : public ProgramFixture {
  protected:
    std::filesystem::path dataFile() const { return dir.file("Lockora.lkdb"); }

    bool ownerPasswordOpens() const {
        std::string out =
            testsupport::cipherShell(dataFile(), "'mirlotapex'", "SELECT count(*) FROM System;");
        return out.find("not a database") == std::string::npos;
    }

    std::string shellWithMaster(const std::string& password, const std::string& sql) const {
        return testsupport::cipherShell(dataFile(),
                                        testsupport::masterKeyPragma(dataFile(), password), sql);
    }

    // A start that logs in with password and exits.
    void loginAndExit(const std::string& password) {
        rt::Robot robot;
        robot.waitForWindow(kLoginCaption)
            .type(LoginEntry, password)
            .press(LoginButton)
            .waitForWindow(kMainCaption)
            .press(MainExit);
        EXPECT_EQ(runProgram(robot), 0);
    }
};

TEST_F(ProgramMasterKeyTest, FirstRunWrongAndRightLoginChangeAndTheNewPasswordNextTime) {
    firstRun("Ada Example", "Tr1cky");
    EXPECT_FALSE(ownerPasswordOpens()) << "the owner password written in the program";
    EXPECT_EQ(shellWithMaster("Tr1cky", "SELECT rtrim(CompanyName) FROM System;"), "Ada Example\n");
    EXPECT_TRUE(SYS.File.waitsForKey()) << "a new start has to log in";

    rt::Robot second;
    prepare(second);
    second.waitForWindow(kLoginCaption)
        .type(LoginEntry, "Wrong")
        .press(LoginButton)
        .check("a password that does not unlock is refused", refusedAndEmptied)
        .type(LoginEntry, "tr1cky")
        .press(LoginButton)
        .check("the wrong case is refused too", refusedAndEmptied)
        .type(LoginEntry, "Tr1cky")
        .press(LoginButton)
        .waitForWindow(kMainCaption)
        .check("the checked master password is not kept in the record's buffer",
               [](rt::Window&) { return SYS.MasterPassword.blank(); })
        .press(MainSystem)
        .waitForWindow(changedCaption("Ada Example"))
        .check("the form shows the master password",
               [](rt::Window& w) { return rt::rightTrim(w.text(SysMaster)) == "Tr1cky"; })
        .type(SysMaster, "N3wer Pass")
        .press(SysOk)
        .waitForWindow(kMainCaption)
        .check("nor the new one once the form has closed",
               [](rt::Window&) { return SYS.MasterPassword.blank(); })
        .press(MainExit);
    EXPECT_EQ(runProgram(second), 0);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    EXPECT_NE(shellWithMaster("Tr1cky", "SELECT 1 FROM System;").find("not a database"),
              std::string::npos)
        << "the old master password's key no longer opens the file";
    EXPECT_EQ(shellWithMaster("N3wer Pass", "SELECT rtrim(MasterPassword) FROM System;"),
              "N3wer Pass\n");

    rt::Robot third;
    third.waitForWindow(kLoginCaption)
        .type(LoginEntry, "Tr1cky")
        .press(LoginButton)
        .check("the old password is refused", refusedAndEmptied)
        .type(LoginEntry, "N3wer Pass")
        .press(LoginButton)
        .waitForWindow(kMainCaption)
        .press(MainExit);
    EXPECT_EQ(runProgram(third), 0);
    EXPECT_TRUE(halts.empty());
}

TEST_F(ProgramMasterKeyTest, CancelAtALockedLoginHaltsAndLeavesTheFileAsItWas) {
    firstRun("Ada Example", "Tr1cky");
    std::string before = testsupport::readFile(dataFile());
    rt::Robot robot;
    robot.waitForWindow(kLoginCaption)
        .type(LoginEntry, "guess")
        .press(LoginButton)
        .press(LoginCancel);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(halts, std::vector<int>{0});
    EXPECT_EQ(GLO.PasswordVerified, 0);
    EXPECT_EQ(testsupport::readFile(dataFile()), before);
}

TEST_F(ProgramMasterKeyTest, RealKeyParametersAreRecordedInTheFileAndUsed) {
    rt::KeyDerivation::TEST_useCheapParameters(false);
    firstRun("Ada Example", "Tr1cky");
    auto salt = rt::fileSalt(dataFile());
    ASSERT_TRUE(salt);
    const rt::KeyParameters& set = rt::KeyDerivation::parametersOf(*salt);
    EXPECT_EQ(set.id, 3);
    EXPECT_GE(set.memoryBytes, std::size_t{64} << 20);
    EXPECT_FALSE(ownerPasswordOpens());
    loginAndExit("Tr1cky");
    EXPECT_TRUE(halts.empty());
}

// Every file in a folder (and below it) whose bytes hold one of the markers.
std::set<std::string> filesHolding(const std::filesystem::path& folder,
                                   const std::vector<std::string>& markers,
                                   std::filesystem::file_time_type since = {}) {
    std::set<std::string> found;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(
             folder, std::filesystem::directory_options::skip_permission_denied, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (ec || !it->is_regular_file(ec) || it->last_write_time(ec) < since) continue;
        std::string bytes = testsupport::readFile(it->path());
        for (const auto& marker : markers)
            if (bytes.find(marker) != std::string::npos) found.insert(it->path().string());
    }
    return found;
}

TEST_F(ProgramMasterKeyTest, MarkersWrittenThroughTheProgramAreInNoFileInClear) {
    const std::string master = "MkMaster7q";
    const std::vector<std::string> markers = {master, "MkTitleZ3", "MkUserX9", "MkPw4",
                                              "MkNotesW2"};
    auto started = std::filesystem::file_time_type::clock::now();
    firstRun("MkOwnerV5", master);
    rt::Robot robot;
    robot.waitForWindow(kLoginCaption)
        .type(LoginEntry, master)
        .press(LoginButton)
        .waitForWindow(kMainCaption)
        .run("add an entry through the program's file manager",
             [](rt::Window&) {
                 Access_Passwords->PrimeRecord();
                 PAS.Title = "MkTitleZ3";
                 PAS.UserName = "MkUserX9";
                 PAS.Password = "MkPw4";
                 PAS.Notes = "MkNotesW2";
                 Access_Passwords->Insert();
             })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    ASSERT_TRUE(boxes.empty()) << boxes.front();

    EXPECT_EQ(filesHolding(dir.path(), markers), std::set<std::string>{})
        << "the data folder: data file, its journal, lock file, settings";
    std::set<std::string> temporary =
        filesHolding(std::filesystem::temp_directory_path(), markers, started);
    EXPECT_EQ(temporary, std::set<std::string>{}) << "temporary files made meanwhile";
    std::string decrypted = shellWithMaster(master,
                                            "SELECT Title, UserName, Password, Notes FROM Password;"
                                            "SELECT CompanyName, MasterPassword FROM System;");
    for (const auto& marker : markers)
        EXPECT_NE(decrypted.find(marker), std::string::npos)
            << marker << " is in the file under its key: " << decrypted;
}

// Another station: a second process that unlocks the file and keeps it open
// until told to go.
class OtherStation {
  public:
    explicit OtherStation(const std::string& master) {
        int ready[2], done[2];
        if (::pipe(ready) != 0 || ::pipe(done) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            // Only the parent may hold the write end: its close is the signal.
            ::close(done[1]);
            ::close(ready[0]);
            rt::DataFileKeys::forgetAll();
            rt::KeyedStation station;
            rt::KeyedFile file(SYS.Definition, &station);
            char ok = file.unlock(master) == 0 && file.open() == 0 ? '1' : '0';
            if (::write(ready[1], &ok, 1) != 1) _exit(2);
            char any;
            while (::read(done[0], &any, 1) < 0) {
            }
            _exit(0);
        }
        ::close(ready[1]);
        ::close(done[0]);
        done_ = done[1];
        char ok = '0';
        if (::read(ready[0], &ok, 1) != 1) ok = '0';
        ::close(ready[0]);
        open_ = ok == '1';
    }
    ~OtherStation() {
        ::close(done_);
        int status = 0;
        if (pid_ > 0) ::waitpid(pid_, &status, 0);
    }
    bool open() const { return open_; }

  private:
    pid_t pid_ = -1;
    int done_ = -1;
    bool open_ = false;
};

TEST_F(ProgramMasterKeyTest, AnotherStationKeepsTheMasterPasswordFromChanging) {
    firstRun("Ada Example", "Tr1cky");
    std::string refusal;
    {
        OtherStation other("Tr1cky");
        ASSERT_TRUE(other.open());
        rt::Robot robot;
        robot.waitForWindow(kLoginCaption)
            .type(LoginEntry, "Tr1cky")
            .press(LoginButton)
            .waitForWindow(kMainCaption)
            .press(MainSystem)
            .waitForWindow(changedCaption("Ada Example"))
            .type(SysMaster, "Other1")
            .press(SysOk)
            .answerMessageBox(rt::ButtonOk, &refusal)
            .check("the form stays, showing the master password kept",
                   [](rt::Window& w) {
                       return w.caption() == changedCaption("Ada Example") &&
                              rt::rightTrim(w.text(SysMaster)) == "Tr1cky";
                   })
            .press(SysCancel)
            .waitForWindow(kMainCaption)
            .press(MainExit);
        EXPECT_EQ(runProgram(robot), 0);
    }
    EXPECT_NE(refusal.find("cannot be changed while Lockora has the data file open"),
              std::string::npos)
        << refusal;
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(shellWithMaster("Tr1cky", "SELECT rtrim(MasterPassword) FROM System;"), "Tr1cky\n");
    loginAndExit("Tr1cky");
}

}  // namespace
