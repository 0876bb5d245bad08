#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "data/FileOpenServers.h"
#include "runtime/store/FileErrors.h"
#include "tests/data/DataTestFixture.h"

using namespace datatest;

namespace {

class FileOpenServerTest : public DataTest {
  protected:
    void SetUp() override {
        DataTest::SetUp();
        ItemTable setup;
        ASSERT_EQ(setup.file->create(), 0);
    }
};

}  // namespace

TEST_F(FileOpenServerTest, SharedFileStaysOpenUntilItsLastUserCloses) {
    ItemTable shared("Items", false);
    int before = TEST_fileOpenServerCount();
    IFileOpenServer* first = CreateFileOpenServer(*shared.file);
    IFileOpenServer* second = CreateFileOpenServer(*shared.file);
    EXPECT_EQ(first, second);
    EXPECT_EQ(TEST_fileOpenServerCount(), before + 1);

    EXPECT_EQ(first->OpenFile(rt::ReadWrite | rt::DenyNone), 0);
    EXPECT_EQ(second->OpenFile(rt::ReadWrite | rt::DenyNone), 0);
    EXPECT_EQ(first->CloseFile(), 0);
    EXPECT_TRUE(shared.file->isOpen());
    EXPECT_EQ(second->CloseFile(), 0);
    EXPECT_FALSE(shared.file->isOpen());
    EXPECT_EQ(second->CloseFile(), 0);  // nothing open: still no error

    first->Release();
    EXPECT_EQ(TEST_fileOpenServerCount(), before + 1);
    second->Release();
    EXPECT_EQ(TEST_fileOpenServerCount(), before);
    IFileOpenServer* fresh = CreateFileOpenServer(*shared.file);
    EXPECT_EQ(TEST_fileOpenServerCount(), before + 1);
    fresh->Release();
    EXPECT_TRUE(asserts.empty());
}

TEST_F(FileOpenServerTest, AlreadyOpenCountsAndAFailedCloseIsRetried) {
    ItemTable shared("Items", false);
    IFileOpenServer* server = CreateFileOpenServer(*shared.file);
    ASSERT_EQ(shared.file->open(), 0);
    EXPECT_EQ(server->OpenFile(rt::ReadWrite | rt::DenyNone), 0);

    // Closed behind the server's back: its close fails and keeps the count.
    shared.file->close();
    EXPECT_EQ(server->CloseFile(), rt::ErrFileNotOpen);
    ASSERT_EQ(shared.file->open(), 0);
    EXPECT_EQ(server->CloseFile(), 0);
    EXPECT_FALSE(shared.file->isOpen());
    server->Release();
}

TEST_F(FileOpenServerTest, PerThreadFileGetsAPrivateServer) {
    ItemTable table;
    IFileOpenServer* first = CreateFileOpenServer(*table.file);
    IFileOpenServer* second = CreateFileOpenServer(*table.file);
    EXPECT_NE(first, second);
    EXPECT_EQ(first->OpenFile(rt::ReadWrite | rt::DenyNone), 0);
    EXPECT_EQ(second->OpenFile(rt::ReadWrite | rt::DenyNone), 0);  // already open is success
    EXPECT_EQ(first->CloseFile(), 0);
    EXPECT_FALSE(table.file->isOpen());
    first->Release();
    second->Release();
}

TEST_F(FileOpenServerTest, ThreadsFindOneServerPerSharedFile) {
    ItemTable shared("Items", false);
    int before = TEST_fileOpenServerCount();
    std::vector<IFileOpenServer*> found(8);
    std::vector<std::thread> threads;
    for (auto& slot : found)
        threads.emplace_back([&shared, &slot] { slot = CreateFileOpenServer(*shared.file); });
    for (auto& t : threads) t.join();
    for (auto* server : found) EXPECT_EQ(server, found[0]);
    EXPECT_EQ(TEST_fileOpenServerCount(), before + 1);
    for (auto* server : found) server->Release();
    EXPECT_EQ(TEST_fileOpenServerCount(), before);
}
