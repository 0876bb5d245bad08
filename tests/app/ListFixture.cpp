#include "tests/app/ListFixture.h"

#include <filesystem>
#include <functional>
#include <map>

#include "app/OwnerPassword.h"
#include "app/PasswordsFile.h"
#include "app/SystemFile.h"
#include "runtime/controls/Prop.h"
#include "runtime/store/KeyedTransaction.h"
#include "tests/support/SqlShell.h"

using namespace program;

namespace {

namespace fs = std::filesystem;

void writeSystemRecord() {
    ASSERT_EQ(SYS.File.create(), 0);
    ASSERT_EQ(SYS.File.open(), 0);
    SYS.File.clearBuffer();
    SYS.System_ID = 1;
    SYS.CompanyName = "Ada Example";
    SYS.MasterPassword = kMaster;
    ASSERT_EQ(SYS.File.add(), 0);
    SYS.File.close();
}

void writeEntries(int count, const std::function<testsupport::EntryValues(int)>& values,
                  const std::function<void(int)>& alsoSet = {}) {
    ASSERT_EQ(PAS.File.create(), 0);
    ASSERT_EQ(PAS.File.open(), 0);
    ASSERT_EQ(rt::beginTransaction({&PAS.File}, 5), 0);
    for (int i = 1; i <= count; ++i) {
        testsupport::EntryValues v = values(i);
        PAS.File.clearBuffer();
        PAS.Primary_ID = i;
        PAS.Title = v.title;
        PAS.Location = v.location;
        PAS.UserName = v.user;
        PAS.Password = v.password;
        PAS.Notes = v.notes;
        if (alsoSet) alsoSet(i);
        ASSERT_EQ(PAS.File.add(), 0) << "entry " << i;
    }
    ASSERT_EQ(rt::commitTransaction(), 0);
    PAS.File.close();
}

// The template files of this test program, removed when it ends.
struct TemplateFiles {
    ~TemplateFiles() {
        std::error_code ignored;
        for (const auto& [count, file] : made) fs::remove_all(file.parent_path(), ignored);
    }
    std::map<int, fs::path> made;
};

// Made once per test program, in a folder of its own.
fs::path templateFile(int count) {
    static TemplateFiles templates;
    std::map<int, fs::path>& made = templates.made;
    if (auto it = made.find(count); it != made.end()) return it->second;
    fs::path folder = fs::temp_directory_path() /
                      ("lockora-list-" + std::to_string(getpid()) + "-" + std::to_string(count));
    // A folder of this name is left from an earlier process with our number.
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::path previous = fs::current_path();
    fs::current_path(folder);
    writeSystemRecord();
    writeEntries(count, testsupport::entryValues);
    fs::current_path(previous);
    return made[count] = folder / "Lockora.lkdb";
}

}  // namespace

void ListFixture::makeDataFile(int count) {
    fs::copy_file(templateFile(count), dir.file("Lockora.lkdb"));
}

void ListFixture::makeDataFile(int count, const std::function<void(int id)>& alsoSet) {
    writeSystemRecord();
    writeEntries(count, testsupport::entryValues, alsoSet);
}

void ListFixture::makeSpecialFile() {
    std::string longest;
    for (int i = 0; i < 40; ++i) longest += "Éa";
    const testsupport::EntryValues special[] = {
        {"Ærø Łódź ñandú Straße", "https://www.example.org/ærø", "ødegård", "Ünïcødé12", ""},
        {"trailing spaces   ", "https://trailing.example/   ", "tess   ", "pw   ", ""},
        {"", "", "", "", ""},
        {longest, "https://" + std::string(246, 'l'), std::string(65, 'u'), "0123456789", ""},
        testsupport::entryValues(5),
    };
    writeSystemRecord();
    writeEntries(5, [&](int i) { return special[i - 1]; });
}

rt::Robot& ListFixture::login(rt::Robot& robot) {
    return robot.waitForWindow(kLoginCaption)
        .type(LoginEntry, kMaster)
        .press(LoginButton)
        .waitForWindow(kMainCaption)
        .check("the list is filled",
               [](rt::Window& w) { return pageSize(w) > 0 && w.listRowCount(MainList) > 0; });
}

std::vector<std::string> ListFixture::sql(const std::string& query) const {
    // The fixture's file holds a master password, so that password keys it.
    std::filesystem::path file = dir.file("Lockora.lkdb");
    return testsupport::sqlShellKeyed(file, testsupport::masterKeyPragma(file, kMaster),
                                      query + ";");
}

std::vector<int> ListFixture::sqlIds(const std::string& query) const {
    std::vector<int> ids;
    for (const std::string& line : sql(query)) ids.push_back(std::stoi(line));
    return ids;
}

std::vector<int> ListFixture::idsFrom(int from, int n) const {
    return sqlIds("SELECT Primary_ID FROM Password WHERE Primary_ID >= " + std::to_string(from) +
                  " ORDER BY Primary_ID, Title LIMIT " + std::to_string(n));
}

std::vector<int> ListFixture::lastIds(int n) const {
    std::vector<int> ids = sqlIds(
        "SELECT Primary_ID FROM Password ORDER BY Primary_ID DESC, "
        "Title DESC LIMIT " +
        std::to_string(n));
    return {ids.rbegin(), ids.rend()};
}

std::vector<int> ListFixture::shownIds(rt::Window& w) {
    // The list shows no entry number; the title ends with it in these files.
    std::vector<int> ids;
    for (int row = 1; row <= w.listRowCount(MainList); ++row) {
        std::string title = w.listCell(MainList, row, 1);
        ids.push_back(std::stoi("0" + title.substr(title.rfind(' ') + 1)));
    }
    return ids;
}

int ListFixture::highlighted(rt::Window& w) {
    int row = static_cast<int>(w.property(MainList, rt::Prop::Selected).number());
    if (row <= 0) return 0;
    std::string title = w.listCell(MainList, row, 1);
    return std::stoi("0" + title.substr(title.rfind(' ') + 1));
}

int ListFixture::pageSize(rt::Window& w) {
    return static_cast<int>(w.property(MainList, rt::Prop::Items).number());
}

bool ListFixture::pageFull(rt::Window& w) {
    return w.listRowCount(MainList) == pageSize(w);
}

std::string ListFixture::cell(rt::Window& w, int row, int column) {
    return w.listCell(MainList, row, column);
}
