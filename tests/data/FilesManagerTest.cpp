#include <gtest/gtest.h>

#include "data/FilesManager.h"
#include "data/RelationManager.h"
#include "tests/data/DataTestFixture.h"

using namespace datatest;

namespace {

class FilesManagerTest : public DataTest {
  protected:
    // Three entries, numbered 1 to 3, with the manager closed again.
    void fill(TestManager& fm, ItemTable& table) {
        fm.AddKey(table.key(0), "KeyId", 1);
        fm.Open();
        for (const char* title : {"one", "two", "three"}) {
            table.TST.Title = title;
            ASSERT_EQ(fm.Insert(), LevelBenign);
        }
        fm.Close();
        ASSERT_TRUE(FilesManager::Current().StatusQ.empty());
    }

    // The caller reads entry 1, then a callee uses the file with useType.
    void callerThenCallee(TestManager& fm, ItemTable& table, int useType) {
        errors.SetProcedureName("Main");
        fm.Open();
        fm.UseFile(2);
        table.file->set(0);
        ASSERT_EQ(fm.Next(), LevelBenign);
        ASSERT_EQ(table.TST.Id, 1);

        errors.SetProcedureName("UpdatePassword");
        fm.Open();
        fm.UseFile(2);
        if (useType != 2) fm.UseFile(useType);
        ASSERT_EQ(fm.Next(), LevelBenign);
        ASSERT_EQ(fm.Next(), LevelBenign);
        ASSERT_EQ(table.TST.Id, 3);
        table.TST.Title = "edited";
        fm.Close();
        errors.SetProcedureName();
    }
};

}  // namespace

TEST_F(FilesManagerTest, CalleeThatOnlyReadGivesTheCallerItsRecordAndPositionBack) {
    ItemTable table;
    TestManager fm(table, errors);
    fill(fm, table);
    callerThenCallee(fm, table, 2);
    EXPECT_EQ(table.TST.Id, 1);
    EXPECT_EQ(table.TST.Title.clipped(), "one");
    ASSERT_EQ(fm.Next(), LevelBenign);
    EXPECT_EQ(table.TST.Id, 2);  // the caller's position, not the callee's
    EXPECT_TRUE(fm.Saved->empty());
    fm.Close();
    EXPECT_TRUE(FilesManager::Current().StatusQ.empty());
}

TEST_F(FilesManagerTest, CalleeThatChangedRecordsLeavesItsRecord) {
    ItemTable table;
    TestManager fm(table, errors);
    fill(fm, table);
    callerThenCallee(fm, table, 3);
    EXPECT_EQ(table.TST.Id, 3);
    EXPECT_EQ(table.TST.Title.clipped(), "edited");
    EXPECT_TRUE(fm.Saved->empty());  // the saved state was given back all the same
    EXPECT_TRUE(fm.Buffers->empty());
    fm.Close();
}

TEST_F(FilesManagerTest, NestedOpensInOneProcedureCloseWithoutRestoring) {
    ItemTable table;
    TestManager fm(table, errors);
    fill(fm, table);
    errors.SetProcedureName("Main");
    fm.Open();
    fm.UseFile(2);
    fm.Open();  // the same procedure opens again
    auto& status = FilesManager::Current().StatusQ;
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(status[0].NestedOpen, 1);
    EXPECT_EQ(status[0].Proc, "Main");
    fm.Close();
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(status[0].NestedOpen, 0);
    fm.Close();
    EXPECT_TRUE(status.empty());
    errors.SetProcedureName();
}

TEST_F(FilesManagerTest, SecondManagerForOneFileIsRefusedAndTheFirstStays) {
    ItemTable table;
    TestManager first(table, errors);
    FileId id = FilesManager::GetFileID(*table.file);
    {
        TestManager second(table, errors);
        ASSERT_EQ(asserts.size(), 1u);
        EXPECT_EQ(asserts[0], "Mapping for file already exists for the FM");
    }
    EXPECT_EQ(FilesManager::Current().GetFileMapping(id), &first);

    RelationManager relate;
    relate.Init(first, false);
    EXPECT_EQ(FilesManager::Current().GetRelationFileMapping(id), &relate);
    RelationManager again;
    again.Init(first, false);
    EXPECT_EQ(asserts.back(), "Mapping for file already exists for the RM");
    again.Kill();
    EXPECT_EQ(FilesManager::Current().GetRelationFileMapping(id), &relate);
    relate.Kill();
    EXPECT_EQ(FilesManager::Current().GetRelationFileMapping(id), nullptr);
    first.Kill();
    EXPECT_EQ(FilesManager::Current().GetFileMapping(id), nullptr);
}
