// Putting a finished file in place never replaces what is already there,
// whatever it is, and leaves both files as they were when it does not move.
#include <gtest/gtest.h>

#include <filesystem>

#include "runtime/store/FilePlacement.h"
#include "tests/support/TempDir.h"

namespace {

using testsupport::readFile;
using testsupport::writeFile;

class FilePlacementTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    std::filesystem::path from = dir.file(".new-file");
    std::filesystem::path to = dir.file("Lockora.lkdb");
};

TEST_F(FilePlacementTest, AFreeNameTakesTheFileWhole) {
    writeFile(from, "finished contents");
    EXPECT_EQ(rt::placeWithoutReplacing(from, to), rt::Placement::Placed);
    EXPECT_EQ(readFile(to), "finished contents");
    EXPECT_FALSE(std::filesystem::exists(from));
}

TEST_F(FilePlacementTest, NothingAtTheNameIsEverReplaced) {
    struct Case {
        const char* what;
        void (*make)(const std::filesystem::path&);
    };
    const Case cases[] = {
        {"a file", [](const std::filesystem::path& p) { writeFile(p, "theirs"); }},
        {"an empty file", [](const std::filesystem::path& p) { writeFile(p, ""); }},
        {"a folder", [](const std::filesystem::path& p) { std::filesystem::create_directory(p); }},
        {"a dangling link",
         [](const std::filesystem::path& p) { std::filesystem::create_symlink("nowhere", p); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(from, "mine");
        c.make(to);
        const auto type = std::filesystem::symlink_status(to).type();
        const std::string before = std::filesystem::is_regular_file(to) ? readFile(to) : "";
        EXPECT_EQ(rt::placeWithoutReplacing(from, to), rt::Placement::Taken);
        EXPECT_EQ(std::filesystem::symlink_status(to).type(), type);
        if (type == std::filesystem::file_type::regular) {
            EXPECT_EQ(readFile(to), before);
        }
        EXPECT_EQ(readFile(from), "mine") << "the file that lost keeps its contents";
        std::filesystem::remove(to);
        std::filesystem::remove(from);
    }
}

TEST_F(FilePlacementTest, AMissingFolderRefusesTheMove) {
    writeFile(from, "mine");
    EXPECT_EQ(rt::placeWithoutReplacing(from, dir.file("no-such-folder/Lockora.lkdb")),
              rt::Placement::Refused);
    EXPECT_EQ(readFile(from), "mine");
}

}  // namespace
