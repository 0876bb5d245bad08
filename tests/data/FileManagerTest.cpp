#include <gtest/gtest.h>

#include <filesystem>

#include "data/FileManager.h"
#include "data/FileOpenServers.h"
#include "data/FilesManager.h"
#include "runtime/store/FileErrors.h"
#include "tests/data/DataTestFixture.h"

using namespace datatest;

namespace {

// An open server that refuses write access, as a write-protected file does,
// and opens read-only requests for real.
class DenyWriteOpener : public IFileOpenServer {
  public:
    explicit DenyWriteOpener(rt::KeyedFile& file) : file_(file) {}
    std::int32_t OpenFile(int mode) override {
        ++attempts;
        if (mode & 3) return rt::ErrAccessDenied;
        int code = file_.open(mode);
        return code == rt::ErrAlreadyOpen ? 0 : code;
    }
    std::int32_t CloseFile() override { return file_.close(); }
    void Link() override {}
    void Release() override { delete this; }

    int attempts = 0;

  private:
    rt::KeyedFile& file_;
};

class FileManagerTest : public DataTest {};

}  // namespace

TEST_F(FileManagerTest, LazyOpenCountsThenOpensOnFirstUseKeepingTheBuffer) {
    ItemTable table;
    TestManager fm(table, errors);
    fm.AddKey(table.key(0), "KeyId", 1);
    EXPECT_EQ(fm.Open(), LevelBenign);
    EXPECT_EQ(fm.GetOpened(), 1);
    EXPECT_FALSE(fm.Used);
    EXPECT_FALSE(table.file->isOpen());

    table.TST.Title = "unchanged";
    table.TST.Notes = "memo stays";
    EXPECT_EQ(fm.UseFile(2), LevelBenign);
    EXPECT_TRUE(fm.Used);
    EXPECT_TRUE(table.file->isOpen());
    EXPECT_EQ(fm.GetOpened(), 1);
    // Created on this first open, and the buffer untouched by it.
    EXPECT_TRUE(std::filesystem::exists(dir.file("Items.lkdb")));
    EXPECT_EQ(table.TST.Title.clipped(), "unchanged");
    EXPECT_EQ(table.TST.Notes, "memo stays");
    EXPECT_TRUE(boxes.empty());

    EXPECT_EQ(fm.Close(), LevelBenign);
    EXPECT_FALSE(table.file->isOpen());
    EXPECT_EQ(fm.Close(), LevelBenign);  // nothing left to close
    EXPECT_EQ(fm.GetOpened(), 0);
}

TEST_F(FileManagerTest, MakingReadyOpensPhysicallyAndLeavesOneOpen) {
    ItemTable table;
    TestManager fm(table, errors);
    EXPECT_EQ(fm.UseFile(5), LevelBenign);
    EXPECT_EQ(fm.GetOpened(), 1);
    EXPECT_TRUE(fm.Used);
    EXPECT_TRUE(fm.IsOpened());
}

TEST_F(FileManagerTest, UseBeforeOpenIsReportedAsFileUsageError) {
    ItemTable table;
    TestManager fm(table, errors);
    fm.UseFile(2);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(lastBox().caption, "File Usage Error");
    EXPECT_EQ(fm.LastError, ErrFileNotOpen);
    EXPECT_FALSE(table.file->isOpen());
}

TEST_F(FileManagerTest, MissingFileWithoutCreateFailsToOpen) {
    ItemTable table;
    TestManager fm(table, errors);
    fm.Create = false;
    fm.LazyOpen = false;
    EXPECT_EQ(fm.TryOpen(), LevelNotify);  // quietly
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(fm.LastError, ErrOpenFailed);

    fm.Open();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(lastBox().caption, "File Access Error");
    EXPECT_EQ(halts.size(), 1u);  // the error is fatal
    EXPECT_FALSE(std::filesystem::exists(dir.file("Items.lkdb")));
}

TEST_F(FileManagerTest, WriteProtectedFileFallsBackToReadOnlyShowingErrorTwoOnce) {
    {
        ItemTable setup;
        ASSERT_EQ(setup.file->create(), 0);
    }
    ItemTable table;
    TestManager fm(table, errors);
    fm.Opener->Release();
    auto* opener = new DenyWriteOpener(*table.file);
    fm.Opener = opener;
    fm.LazyOpen = false;

    EXPECT_EQ(fm.Open(), LevelBenign);
    EXPECT_EQ(boxCount("Access Denied"), 1);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(fm.OpenMode, 0x40);    // read only, sharing kept
    EXPECT_EQ(opener->attempts, 3);  // write, write after "Recover=", read only
    EXPECT_TRUE(table.file->isOpen());
    EXPECT_EQ(table.file->mode() & 3, 0);

    table.TST.Title = "x";
    EXPECT_EQ(fm.TryInsert(), LevelNotify);
    EXPECT_EQ(fm.LastError, ErrInsertFailed);
}

TEST_F(FileManagerTest, AutoNumberingCountsFromOneAndRestartsPerPrefix) {
    ItemTable table;
    TestManager fm(table, errors);
    fm.AddKey(table.key(0), "KeyId", 1);
    fm.Open();
    for (int expected = 1; expected <= 3; ++expected) {
        table.TST.Title = "t" + std::to_string(expected);
        table.TST.Group = expected;
        table.TST.Seq = 0;
        ASSERT_EQ(fm.Insert(), LevelBenign);
        EXPECT_EQ(table.TST.Id, expected);
        EXPECT_FALSE(fm.AutoIncDone);
    }
    EXPECT_EQ(table.file->records(), 3);

    ItemTable grouped("Grouped");
    TestManager gm(grouped, errors);
    gm.AddKey(grouped.key(1), "Group and sequence", 2);
    gm.Open();
    const std::pair<int, int> expected[] = {{7, 1}, {7, 2}, {3, 1}, {7, 3}, {3, 2}, {9, 1}};
    int id = 100;
    for (auto [group, seq] : expected) {
        grouped.TST.Id = ++id;
        grouped.TST.Group = group;
        grouped.TST.Title = "g" + std::to_string(id);
        ASSERT_EQ(gm.Insert(), LevelBenign);
        EXPECT_EQ(grouped.TST.Seq, seq) << "group " << group;
        EXPECT_EQ(grouped.TST.Group, group);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FileManagerTest, ThreeFailedAddsRaiseErrorThirtyFiveAndRetryOnYes) {
    ItemTable table;
    TestManager fm(table, errors);
    fm.AddKey(table.key(0), "KeyId", 1);
    fm.AddKey(table.key(2), "Title key");
    fm.Open();
    table.TST.Title = "Bank";
    ASSERT_EQ(fm.Insert(), LevelBenign);

    table.TST.Title = "BANK";  // clashes with the case-folded unique title
    answers = {rt::ButtonYes, rt::ButtonNo};
    EXPECT_EQ(fm.Insert(), LevelNotify);
    EXPECT_EQ(boxCount("Auto Increment Error"), 2);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_NE(lastBox().text.find("Key: Title key"), std::string::npos) << lastBox().text;
    EXPECT_EQ(fm.LastError, ErrAutoIncrement);
    EXPECT_EQ(table.file->records(), 1);

    EXPECT_EQ(fm.TryInsert(), LevelNotify);  // quietly
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(FileManagerTest, DuplicateKeyWithoutNumberingNamesTheKey) {
    ItemTable table;
    TestManager fm(table, errors);
    fm.AddKey(table.key(0), "KeyId");
    fm.AddKey(table.key(2), "Title key");
    fm.Open();
    table.TST.Id = 1;
    table.TST.Title = "Mail";
    ASSERT_EQ(fm.Insert(), LevelBenign);
    table.TST.Id = 2;
    table.TST.Title = "mail";
    EXPECT_EQ(fm.TryInsert(), LevelNotify);
    EXPECT_EQ(fm.LastError, ErrDuplicateKey);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(fm.Insert(), LevelNotify);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(lastBox().caption, "Duplicate Key Error");
    EXPECT_NE(lastBox().text.find("for the key: Title key"), std::string::npos) << lastBox().text;
}

TEST_F(FileManagerTest, PrimingAddsAtOnceInsertRewritesAndCancelDeletes) {
    ItemTable table;
    TestManager fm(table, errors);
    fm.AddKey(table.key(0), "KeyId", 1);
    fm.Open();
    ASSERT_EQ(fm.PrimeRecord(), LevelBenign);
    EXPECT_EQ(table.TST.Id, 1);
    EXPECT_TRUE(fm.AutoIncDone);
    EXPECT_EQ(table.file->records(), 1);

    table.TST.Title = "primed";
    ASSERT_EQ(fm.Insert(), LevelBenign);
    EXPECT_EQ(table.file->records(), 1);
    table.TST.Id = 1;
    table.TST.Title = "";
    ASSERT_EQ(fm.Fetch(table.key(0)), LevelBenign);
    EXPECT_EQ(table.TST.Title.clipped(), "primed");

    ASSERT_EQ(fm.PrimeRecord(), LevelBenign);
    EXPECT_EQ(table.TST.Id, 2);
    EXPECT_EQ(table.file->records(), 2);
    EXPECT_EQ(fm.CancelAutoInc(), LevelBenign);
    EXPECT_FALSE(fm.AutoIncDone);
    EXPECT_EQ(table.file->records(), 1);
    EXPECT_EQ(fm.CancelAutoInc(), LevelBenign);  // nothing reserved any more
    EXPECT_EQ(table.file->records(), 1);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FileManagerTest, FetchMissClearsTheBufferAndStepsReportTheEnd) {
    ItemTable table;
    TestManager fm(table, errors);
    fm.AddKey(table.key(0), "KeyId", 1);
    fm.Open();
    table.TST.Title = "only";
    ASSERT_EQ(fm.Insert(), LevelBenign);

    table.TST.Id = 42;
    EXPECT_EQ(fm.TryFetch(table.key(0)), LevelNotify);
    EXPECT_EQ(table.TST.Id, 42);
    EXPECT_EQ(fm.Fetch(table.key(0)), LevelNotify);
    EXPECT_EQ(table.TST.Id, 0);

    table.file->set(0);
    EXPECT_EQ(fm.Next(), LevelBenign);
    EXPECT_FALSE(fm.GetEOF());
    EXPECT_EQ(fm.Next(), LevelNotify);
    EXPECT_TRUE(fm.GetEOF());
    EXPECT_TRUE(boxes.empty());  // running off the end is not an error
}

TEST_F(FileManagerTest, UpdateAfterAnotherStationsChangeShowsTheirVersion) {
    ItemTable table;
    TestManager fm(table, errors);
    fm.AddKey(table.key(0), "KeyId", 1);
    fm.Open();
    table.TST.Title = "original";
    ASSERT_EQ(fm.Insert(), LevelBenign);

    rt::KeyedStation other;
    ItemTable theirs("Items", true, &other);
    ASSERT_EQ(theirs.file->open(), 0);
    theirs.TST.Id = 1;
    ASSERT_EQ(theirs.file->get(0), 0);
    theirs.TST.Title = "theirs";
    ASSERT_EQ(theirs.file->put(), 0);

    table.TST.Title = "mine";
    EXPECT_EQ(fm.Update(), LevelNotify);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(lastBox().caption, "Record Was Not Updated");
    EXPECT_EQ(lastBox().text, "This record was changed by another station.");
    EXPECT_EQ(fm.LastError, ErrChangedByAnother);
    EXPECT_EQ(table.TST.Title.clipped(), "theirs");

    // Now that the buffer holds their version, a change goes through.
    table.TST.Title = "mine again";
    EXPECT_EQ(fm.Update(), LevelBenign);
    theirs.TST.Id = 1;
    ASSERT_EQ(theirs.file->get(0), 0);
    EXPECT_EQ(theirs.TST.Title.clipped(), "mine again");
}

TEST_F(FileManagerTest, DeleteAsksFirstAndReportsAFailure) {
    ItemTable table;
    TestManager fm(table, errors);
    fm.AddKey(table.key(0), "KeyId", 1);
    fm.Open();
    ASSERT_EQ(fm.Insert(), LevelBenign);

    answers = {rt::ButtonNo};
    EXPECT_EQ(fm.DeleteRecord(true), LevelCancel);
    EXPECT_EQ(lastBox().caption, "Confirm Delete");
    EXPECT_EQ(table.file->records(), 1);

    rt::KeyedStation other;
    ItemTable theirs("Items", true, &other);
    ASSERT_EQ(theirs.file->open(), 0);
    theirs.TST.Id = 1;
    ASSERT_EQ(theirs.file->get(0), 0);
    ASSERT_EQ(theirs.file->hold(), 0);
    EXPECT_EQ(fm.DeleteRecord(false), LevelNotify);
    EXPECT_EQ(fm.LastError, ErrDeleteFailed);
    EXPECT_EQ(table.file->records(), 1);
    theirs.file->release();
    EXPECT_EQ(fm.DeleteRecord(false), LevelBenign);
    EXPECT_EQ(table.file->records(), 0);
}

TEST_F(FileManagerTest, KeyToOrderWritesDirectionsAndFoldedNames) {
    ItemTable table;
    TestManager fm(table, errors);
    fm.AddKey(table.key(3), "");
    fm.AddKey(table.key(2), "Title key");
    EXPECT_EQ(fm.KeyToOrder(table.key(3), 1), "TST:Group,-TST:Seq");
    EXPECT_EQ(fm.KeyToOrder(table.key(3), 0), "TST:Group,-TST:Seq");
    EXPECT_EQ(fm.KeyToOrder(table.key(3), 2), "-TST:Seq");
    EXPECT_EQ(fm.KeyToOrder(table.key(2), 1), "UPPER(TST:Title)");
    EXPECT_EQ(fm.GetComponents(table.key(3)), 2);
    EXPECT_FALSE(fm.GetFieldAscending(table.key(3), 2));

    fm.GetField(table.key(3), 3);
    ASSERT_EQ(asserts.size(), 1u);
    EXPECT_EQ(asserts[0], "Key does not have component of this number :3");
    fm.SetKey(table.key(0));  // never added
    EXPECT_EQ(asserts.back(), "Key does not exist in this file");

    // Start of the order: ascending lowest, descending highest.
    fm.ClearKey(table.key(3), 1, 2, false);
    EXPECT_EQ(table.TST.Group, INT32_MIN);
    EXPECT_EQ(table.TST.Seq, INT32_MAX);
    fm.ClearKey(table.key(3), 1, 2, true);
    EXPECT_EQ(table.TST.Group, INT32_MAX);
    EXPECT_EQ(table.TST.Seq, INT32_MIN);
}

TEST_F(FileManagerTest, SavedBuffersRestoreInReverseOrderWithTheirMemos) {
    ItemTable table;
    TestManager fm(table, errors);
    table.TST.Title = "one";
    table.TST.Notes = "first";
    std::uint16_t h1 = fm.SaveBuffer();
    table.TST.Title = "two";
    table.TST.Notes = "second";
    std::uint16_t h2 = fm.SaveBuffer();
    EXPECT_EQ(h1, 1);
    EXPECT_EQ(h2, 4);  // record, one memo, null state: three ids each
    table.TST.Title = "three";
    table.TST.Notes = "third";

    fm.RestoreBuffer(h2, true);
    EXPECT_EQ(h2, 0);
    EXPECT_EQ(table.TST.Title.clipped(), "two");
    EXPECT_EQ(table.TST.Notes, "second");
    fm.RestoreBuffer(h1, true);
    EXPECT_EQ(table.TST.Title.clipped(), "one");
    EXPECT_EQ(table.TST.Notes, "first");
    EXPECT_TRUE(fm.Buffers->empty());
    EXPECT_TRUE(asserts.empty());

    std::uint16_t unknown = 9;
    fm.RestoreBuffer(unknown, true);
    ASSERT_EQ(asserts.size(), 1u);
    EXPECT_EQ(asserts[0], "Restore handle is invalid");
    std::uint16_t none = 0;
    fm.RestoreBuffer(none, false);  // nothing saved, nothing asked
    EXPECT_EQ(asserts.size(), 1u);
}

TEST_F(FileManagerTest, EqualBufferSeesRecordAndMemoChanges) {
    ItemTable table;
    TestManager fm(table, errors);
    fm.Open();
    table.TST.Title = "same";
    table.TST.Notes = "memo";
    std::uint16_t h = fm.SaveBuffer();
    EXPECT_TRUE(fm.EqualBuffer(h));
    table.TST.Notes = "memo changed";
    EXPECT_FALSE(fm.EqualBuffer(h));
    table.TST.Notes = "memo";
    table.TST.Seq = 5;
    EXPECT_FALSE(fm.EqualBuffer(h));
    fm.RestoreBuffer(h, true);
    EXPECT_EQ(table.TST.Seq, 0);
}

TEST_F(FileManagerTest, SavedFileStatesRestorePositionAndRecordInReverseOrder) {
    ItemTable table;
    TestManager fm(table, errors);
    fm.AddKey(table.key(0), "KeyId", 1);
    fm.Open();
    for (const char* title : {"a", "b", "c", "d"}) {
        table.TST.Title = title;
        ASSERT_EQ(fm.Insert(), LevelBenign);
    }
    table.file->set(0);
    fm.Next();  // a
    std::uint16_t first = fm.SaveFile();
    fm.Next();  // b
    std::uint16_t second = fm.SaveFile();
    fm.Next();  // c
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);

    fm.RestoreFile(second, true);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(table.TST.Id, 2);
    fm.Next();
    EXPECT_EQ(table.TST.Id, 3);
    fm.RestoreFile(first, true);
    EXPECT_EQ(table.TST.Id, 1);
    fm.Next();
    EXPECT_EQ(table.TST.Id, 2);
    EXPECT_TRUE(fm.Saved->empty());
    EXPECT_TRUE(fm.Buffers->empty());

    std::uint16_t kept = fm.SaveFile();
    fm.Next();
    fm.RestoreFile(kept, false);  // discarded, not restored
    EXPECT_EQ(table.TST.Id, 3);
}

TEST_F(FileManagerTest, ValidationOfAnAliasRunsOnItsBaseWithThisRecord) {
    struct RuledManager : TestManager {
        using TestManager::TestManager;
        ErrorLevel ValidateFieldServer(int id, bool) override {
            seen = table->TST.Seq;
            return id == 3 && table->TST.Seq < 0 ? LevelUser : LevelBenign;
        }
        ItemTable* table = nullptr;
        int seen = 0;
    };
    ItemTable baseTable;
    RuledManager base(baseTable, errors);
    base.table = &baseTable;
    ItemTable aliasTable("Items");
    TestManager alias(aliasTable, errors);
    alias.AliasedFile = &base;
    base.Open();

    baseTable.TST.Seq = 11;
    aliasTable.TST.Seq = -4;
    int failed = 0;
    EXPECT_EQ(alias.ValidateRecord(&failed), LevelUser);
    EXPECT_EQ(failed, 3);
    EXPECT_EQ(base.seen, -4);
    EXPECT_EQ(baseTable.TST.Seq, 11);  // its own record is back
    aliasTable.TST.Seq = 4;
    EXPECT_EQ(alias.ValidateRecord(), LevelBenign);

    ItemTable third("Items");
    TestManager aliasOfAlias(third, errors);
    aliasOfAlias.AliasedFile = &alias;
    aliasOfAlias.ValidateRecord();
    EXPECT_EQ(asserts.back(), "Cannot have alias based upon an alias");
}

TEST_F(FileManagerTest, CallBacksRouteWritesToTheHooksAndVetoThem) {
    struct HookedManager : TestManager {
        using TestManager::TestManager;
        bool PreInsert(std::string& code, std::string&) override {
            ++preInserts;
            if (!veto) return true;
            code = "40";
            return false;
        }
        bool PostUpdate(std::string&, std::string&) override {
            ++postUpdates;
            return true;
        }
        int preInserts = 0, postUpdates = 0;
        bool veto = false;
    };
    ItemTable table;
    HookedManager fm(table, errors);
    fm.AddKey(table.key(0), "KeyId");
    fm.Open();
    table.TST.Id = 1;
    ASSERT_EQ(fm.Insert(), LevelBenign);
    EXPECT_EQ(fm.preInserts, 1);
    table.TST.Title = "changed";
    ASSERT_EQ(fm.Update(), LevelBenign);
    EXPECT_EQ(fm.postUpdates, 1);

    fm.veto = true;
    table.TST.Id = 2;
    EXPECT_EQ(fm.TryInsert(), LevelNotify);
    EXPECT_EQ(table.file->records(), 1);

    table.file->close();  // behind the manager's back
    ASSERT_FALSE(asserts.empty());
    EXPECT_EQ(asserts.back(), "You are calling CLOSE(Items) instead of FileManager.Close()");
}

TEST_F(FileManagerTest, ReadsOnAFileNeverMadeReadyAreCaughtAndReadsKeepThePreviousRecord) {
    ItemTable table;
    TestManager fm(table, errors);
    fm.AddKey(table.key(0), "KeyId", 1);
    fm.Open();  // counted, not yet open
    table.file->next();
    ASSERT_EQ(asserts.size(), 1u);
    EXPECT_EQ(asserts[0], "You have not called FileManager.UseFile() for Items");

    fm.SavePreviousBuffer = true;
    table.TST.Title = "kept";
    ASSERT_EQ(fm.Insert(), LevelBenign);
    table.TST.Title = "edited";
    EXPECT_FALSE(fm.PreviousBuffer.has_value());  // nothing read yet
    table.file->set(0);
    ASSERT_EQ(fm.Next(), LevelBenign);
    ASSERT_TRUE(fm.PreviousBuffer.has_value());
    EXPECT_EQ((*fm.PreviousBuffer)[3].text(), table.TST.Title.str());
    EXPECT_EQ(asserts.size(), 1u);
}

TEST_F(FileManagerTest, FileOpenedDenyWriteElsewhereOpensReadOnlyHere) {
    {
        ItemTable setup;
        ASSERT_EQ(setup.file->create(), 0);
    }
    rt::KeyedStation other;
    ItemTable theirs("Items", true, &other);
    ASSERT_EQ(theirs.file->open(rt::ReadOnly | rt::DenyWrite), 0);

    ItemTable table;
    TestManager fm(table, errors);
    fm.LazyOpen = false;
    EXPECT_EQ(fm.Open(), LevelBenign);
    EXPECT_EQ(boxCount("Access Denied"), 1);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(table.file->mode() & 3, 0);
}
