// A refused password stands only for the file as it was when refused.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "runtime/store/OwnerKeyRefusals.h"
#include "tests/support/TempDir.h"

namespace {

using rt::OwnerKeyRefusals;

class OwnerKeyRefusalsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        OwnerKeyRefusals::forgetAll();
        testsupport::writeFile(file, std::string(4096, 'a'));
    }
    void TearDown() override { OwnerKeyRefusals::forgetAll(); }

    testsupport::TempDir dir;
    std::filesystem::path file = dir.file("Lockora.lkdb");
};

TEST_F(OwnerKeyRefusalsTest, ARefusalHoldsForThatFileAndPasswordOnly) {
    EXPECT_FALSE(OwnerKeyRefusals::refused(file, "owner"));
    OwnerKeyRefusals::note(file, "owner");
    EXPECT_TRUE(OwnerKeyRefusals::refused(file, "owner"));
    EXPECT_FALSE(OwnerKeyRefusals::refused(file, "other"));
    auto elsewhere = dir.file("Other.lkdb");
    testsupport::writeFile(elsewhere, std::string(4096, 'a'));
    EXPECT_FALSE(OwnerKeyRefusals::refused(elsewhere, "owner"));
    EXPECT_TRUE(OwnerKeyRefusals::refused(dir.path() / "." / "Lockora.lkdb", "owner"))
        << "the same file by another spelling of its path";
}

TEST_F(OwnerKeyRefusalsTest, AnyWriteToTheFileOrItsLogEndsTheRefusal) {
    OwnerKeyRefusals::note(file, "owner");
    testsupport::writeFile(file, std::string(4096, 'b'));
    auto later = std::filesystem::last_write_time(file) + std::chrono::seconds(1);
    std::filesystem::last_write_time(file, later);
    EXPECT_FALSE(OwnerKeyRefusals::refused(file, "owner")) << "same size, rewritten";

    OwnerKeyRefusals::note(file, "owner");
    testsupport::writeFile(dir.file("Lockora.lkdb-wal"), std::string(100, 'w'));
    EXPECT_FALSE(OwnerKeyRefusals::refused(file, "owner")) << "a log appeared";

    OwnerKeyRefusals::note(file, "owner");
    std::filesystem::remove(dir.file("Lockora.lkdb-wal"));
    EXPECT_FALSE(OwnerKeyRefusals::refused(file, "owner")) << "the log was checkpointed away";
}

}  // namespace
