// The real program, started as a person starts it, on data files damaged in
// every way a disk, a crash or a stray tool can damage one: it says what is
// wrong and ends as a failure before any login, or (for damage start-up
// does not read, found later: DamagedPageTest) waits at the login; the
// file's bytes stay as they were.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/OwnerPassword.h"
#include "app/PasswordsFile.h"
#include "app/SystemFile.h"
#include "runtime/store/KeyedFile.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempDir.h"
#include "tests/support/Tools.h"

namespace fs = std::filesystem;

namespace {

const std::string kOwnerKey = std::string("'") + kOwnerPassword + "'";

// A data file as the program makes it, before a master password keys it:
// the System record holds one, and three entries.
void makeDataFile() {
    rt::FileDefinition legacy = SYS.Definition;
    legacy.setMasterKeyField(-1);
    rt::KeyedFile system(legacy);
    ASSERT_EQ(system.create(), 0);
    ASSERT_EQ(system.open(), 0);
    system.clearBuffer();
    SYS.System_ID = 1;
    SYS.MasterPassword = "Tr1cky";
    ASSERT_EQ(system.add(), 0);
    ASSERT_EQ(PAS.File.create(), 0);
    ASSERT_EQ(PAS.File.open(), 0);
    for (int id = 1; id <= 3; ++id) {
        PAS.File.clearBuffer();
        PAS.Primary_ID = id;
        PAS.Title = "entry " + std::to_string(id);
        ASSERT_EQ(PAS.File.add(), 0);
    }
    PAS.File.close();
}

// A page's number from the cipher's own shell: a root page by the name in
// the schema, or the first page no root is (the schema's second page).
int pageOf(const fs::path& file, const std::string& query) {
    std::string out = testsupport::cipherShell(file, kOwnerKey, query);
    return std::atoi(out.substr(out.find_first_of("0123456789")).c_str());
}

void damagePage(const fs::path& file, int page, int offset = 500) {
    ASSERT_GT(page, 0);
    testsupport::damagePage(file, page, offset);
}

struct Damage {
    const char* what;
    std::function<void(const fs::path&)> apply;  // on a good data file, or on none
    bool needsGoodFile;
    // What the message must say; none for damage only a key can find (it is
    // then the login's to refuse every password: the program waits there).
    const char* says;
};

class ProgramDamagedFileTest : public testing::TestWithParam<Damage> {};

TEST_P(ProgramDamagedFileTest, EndsWithItsReasonOrWaitsAtTheLoginAndChangesNothing) {
    const Damage& damage = GetParam();
    testsupport::TempDir dir;
    fs::path file = dir.file("Lockora.lkdb");
    if (damage.needsGoodFile) makeDataFile();
    damage.apply(file);
    const bool folder = fs::is_directory(file);
    const std::string before = folder ? "" : testsupport::readFile(file);

    // A program that should end does so within a second or two; one that
    // waits at the login is left there this long, then killed.
    testsupport::ProgramRun run =
        testsupport::runProgram(LOCKORA_PROGRAM, dir.path(),
                                {{"QT_QPA_PLATFORM", "offscreen"}, {"LOCKORA_TEST_ANSWER_OK", "1"}},
                                damage.says ? 20000 : 3000);
    if (damage.says) {
        ASSERT_FALSE(run.timedOut) << "the program waited (at a login?): " << run.errors;
        EXPECT_NE(run.exitCode, 0) << run.errors;
        EXPECT_NE(run.exitCode, -1) << run.errors;
        EXPECT_NE(run.errors.find(damage.says), std::string::npos) << run.errors;
        EXPECT_EQ(run.errors.find("Could not get write access"), std::string::npos) << run.errors;
    } else {
        EXPECT_TRUE(run.timedOut) << "ended with " << run.exitCode << ": " << run.errors;
    }
    if (folder)
        EXPECT_TRUE(fs::is_empty(file));
    else
        EXPECT_EQ(testsupport::readFile(file), before) << "the file changed";
}

std::string noise(std::size_t size) {
    std::string bytes(size, '\0');
    unsigned state = 20261207;
    for (char& b : bytes) b = static_cast<char>((state = state * 1103515245 + 12345) >> 16);
    return bytes;
}

void truncateTo(const fs::path& file, std::uintmax_t size) {
    fs::resize_file(file, size);
}

const Damage kDamages[] = {
    {"an empty file", [](const fs::path& f) { testsupport::writeFile(f, ""); }, false,
     "the file is empty"},
    {"random bytes", [](const fs::path& f) { testsupport::writeFile(f, noise(8192)); }, false,
     "not a data file"},
    {"a plain file of the storage engine",
     [](const fs::path& f) {
         testsupport::runCommand("sqlcipher -batch '" + f.string() + "'",
                                 "CREATE TABLE Password(x); INSERT INTO Password VALUES (1);\n");
     },
     false, "the file is not encrypted"},
    {"a folder", [](const fs::path& f) { fs::create_directory(f); }, false,
     "a folder has the data file's name"},
    {"cut inside the first page", [](const fs::path& f) { truncateTo(f, 100); }, true, "truncated"},
    {"cut at a page boundary", [](const fs::path& f) { truncateTo(f, 4 * 1024); }, true,
     "not a data file"},
    {"cut inside a later page",
     [](const fs::path& f) { truncateTo(f, fs::file_size(f) - 1024 - 300); }, true, "truncated"},
    // The first page holds the file's header and the schema's root: damaged,
    // it reads as a file keyed with a master password, which only the login
    // can find out (every password is refused).
    {"a header page", [](const fs::path& f) { damagePage(f, 1, 40); }, true, nullptr},
    {"the schema", [](const fs::path& f) { damagePage(f, 1, 700); }, true, nullptr},
    {"the System table's page",
     [](const fs::path& f) {
         damagePage(f, pageOf(f, "SELECT rootpage FROM sqlite_master WHERE name='System';"));
     },
     true, "Lockora.lkdb is damaged"},
    {"the Password table's page",
     [](const fs::path& f) {
         damagePage(f, pageOf(f, "SELECT rootpage FROM sqlite_master WHERE name='Password';"));
     },
     true, nullptr},
    {"an index page",
     [](const fs::path& f) {
         damagePage(f, pageOf(f,
                              "SELECT rootpage FROM sqlite_master WHERE type='index' AND "
                              "tbl_name='Password' ORDER BY name LIMIT 1;"));
     },
     true, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Damages, ProgramDamagedFileTest, testing::ValuesIn(kDamages),
                         [](const testing::TestParamInfo<Damage>& info) {
                             std::string name;
                             for (const char* c = info.param.what; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });

}  // namespace
