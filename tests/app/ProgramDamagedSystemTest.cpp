// A System table that cannot be read is an error, never an empty table: the
// login must not admit anyone on it, whatever keys the file.
#include <filesystem>

#include "app/Dictionary.h"
#include "app/GlobalData.h"
#include "runtime/controls/Prop.h"
#include "runtime/store/CipherKey.h"
#include "runtime/store/KeyedFile.h"
#include "tests/app/ProgramFixture.h"
#include "tests/support/TempDir.h"
#include "tests/support/Tools.h"

using namespace program;

namespace {

int rootPageOfSystem(const std::filesystem::path& file, const std::string& keyPragma) {
    std::string out = testsupport::cipherShell(
        file, keyPragma, "SELECT rootpage FROM sqlite_master WHERE name='System';");
    return std::atoi(out.c_str());
}

class ProgramDamagedSystemTest : public ProgramFixture {
  protected:
    std::filesystem::path dataFile() const { return dir.file("Lockora.lkdb"); }

    void expectNotAdmitted(const std::string& message) {
        // The unreadable file ends the program as a failure (the login's own
        // halt follows only because a test's halt returns).
        ASSERT_FALSE(halts.empty());
        EXPECT_EQ(halts.front(), 1);
        EXPECT_EQ(GLO.PasswordVerified, 0);
        EXPECT_NE(message.find("attempting to access a record from the Lockora\\!System file"),
                  std::string::npos)
            << message;
        EXPECT_TRUE(boxes.empty()) << "reported once: " << boxes.front();
    }
};

TEST_F(ProgramDamagedSystemTest, OwnerKeyedFileWithADamagedSystemPageAdmitsNoEmptyLogin) {
    {
        // A file as made before the master password keyed it: the owner
        // password opens it, the System record holds a master password.
        rt::FileDefinition legacy = SYS.Definition;
        legacy.setMasterKeyField(-1);
        rt::KeyedFile file(legacy);
        ASSERT_EQ(file.create(), 0);
        ASSERT_EQ(file.open(), 0);
        file.clearBuffer();
        SYS.System_ID = 1;
        SYS.MasterPassword = "Tr1cky";
        ASSERT_EQ(file.add(), 0);
    }
    ASSERT_FALSE(std::filesystem::exists(dir.file("Lockora.lkdb-wal")));
    int page = rootPageOfSystem(dataFile(), "'mirlotapex'");
    ASSERT_GT(page, 1);
    testsupport::damagePage(dataFile(), page);

    std::string message;
    rt::Robot robot;  // the login never opens: the error is all there is
    robot.answerMessageBox(rt::ButtonOk, &message);
    EXPECT_EQ(runProgram(robot), 0);
    expectNotAdmitted(message);
}

TEST_F(ProgramDamagedSystemTest, MasterKeyedFileWithADamagedSystemPageAdmitsNobody) {
    firstRun("Ada Example", "Tr1cky");
    auto salt = rt::fileSalt(dataFile());
    ASSERT_TRUE(salt);
    auto key = rt::KeyDerivation::derive("Tr1cky", *salt);
    int page =
        rootPageOfSystem(dataFile(), "\"x'" + testsupport::hexOf(key->data(), key->size()) + "'\"");
    ASSERT_GT(page, 1);
    testsupport::damagePage(dataFile(), page);

    std::string message;
    rt::Robot robot;
    robot.waitForWindow(kLoginCaption)
        .press(LoginButton)
        .check(
            "an empty entry does not unlock the file",
            [](rt::Window& w) { return w.property(LoginMessage, rt::Prop::Visible).number() == 1; })
        .type(LoginEntry, "Tr1cky")
        .press(LoginButton)
        .answerMessageBox(rt::ButtonOk, &message);
    EXPECT_EQ(runProgram(robot), 0);
    expectNotAdmitted(message);
}

}  // namespace
