#include <gtest/gtest.h>

#include <fstream>

#include "runtime/store/FileErrors.h"
#include "runtime/store/KeyedFile.h"
#include "runtime/host/LastError.h"
#include "tests/runtime/store/KeyedTestTable.h"
#include "tests/support/TempDir.h"

using namespace keyedtest;

namespace {

class KeyedFileTest : public ::testing::Test {
  protected:
    testsupport::TempDir dir;
    PasswordTable t;
    rt::KeyedFile file{t.def};

    void addAll(const std::vector<std::pair<int, std::string>>& rows) {
        for (auto& [id, title] : rows) {
            t.fill(id, title, "loc " + title, "notes of " + title);
            ASSERT_EQ(file.add(), 0) << rt::lastError().driverText;
        }
    }
    std::vector<int> readAll(bool forward) {
        std::vector<int> ids;
        while ((forward ? file.next() : file.previous()) == 0) ids.push_back(t.PAS.Primary_ID);
        EXPECT_EQ(rt::lastError().code, rt::ErrNoRecord);
        return ids;
    }
};

TEST_F(KeyedFileTest, MissingFileIsCreatedOnlyByCreateAndIsEncrypted) {
    EXPECT_EQ(file.open(), rt::ErrFileNotFound);
    EXPECT_EQ(rt::lastError().code, rt::ErrFileNotFound);
    EXPECT_FALSE(std::filesystem::exists(dir.file("Lockora.lkdb")));
    ASSERT_EQ(file.create(), 0);
    ASSERT_EQ(file.open(), 0);
    EXPECT_EQ(file.open(), rt::ErrAlreadyOpen);
    EXPECT_EQ(file.path(), std::filesystem::path("Lockora.lkdb"));
    addAll({{1, "First"}});
    // A process that dies now must leave a file the next open accepts.
    EXPECT_GE(std::filesystem::file_size(dir.file("Lockora.lkdb")), 1024u);
    ASSERT_EQ(file.close(), 0);
    std::string bytes = testsupport::readFile(dir.file("Lockora.lkdb"));
    ASSERT_GE(bytes.size(), 1024u);
    EXPECT_NE(bytes.substr(0, 15), "SQLite format 3");
    EXPECT_EQ(file.next(), rt::ErrFileNotOpen);
}

TEST_F(KeyedFileTest, ReadsInKeyOrderBothWaysAndByKeyValue) {
    ASSERT_EQ(openOrCreate(file), 0);
    addAll({{3, "charlie"}, {1, "Alpha"}, {2, "bravo"}, {4, "alpha"}});
    EXPECT_EQ(file.records(), 4);
    ASSERT_EQ(file.set(kKeyPrimary), 0);
    EXPECT_EQ(readAll(true), (std::vector<int>{1, 2, 3, 4}));
    ASSERT_EQ(file.set(kKeyPrimary), 0);
    EXPECT_EQ(readAll(false), (std::vector<int>{4, 3, 2, 1}));
    // Case-insensitive key: "Alpha" and "alpha" tie and keep the order they were added.
    ASSERT_EQ(file.set(kKeyName), 0);
    EXPECT_EQ(readAll(true), (std::vector<int>{1, 4, 2, 3}));

    t.PAS = {};
    t.PAS.Primary_ID = 2;
    ASSERT_EQ(file.get(kKeyPrimary), 0);
    EXPECT_EQ(t.PAS.Title.clipped(), "bravo");
    EXPECT_EQ(t.PAS.Notes, "notes of bravo");
    EXPECT_EQ(file.next(), 0) << "reading on continues after the record got";
    EXPECT_EQ(t.PAS.Primary_ID, 3);
    t.PAS.Primary_ID = 99;
    EXPECT_EQ(file.get(kKeyPrimary), rt::ErrNoRecord);
}

TEST_F(KeyedFileTest, SetToKeyValuesStartsAtTheFirstMatchOrAfter) {
    ASSERT_EQ(openOrCreate(file), 0);
    addAll({{10, "a"}, {20, "b"}, {30, "c"}});
    t.PAS.Primary_ID = 20;
    ASSERT_EQ(file.setToBuffer(kKeyPrimary), 0);
    ASSERT_EQ(file.next(), 0);
    EXPECT_EQ(t.PAS.Primary_ID, 20);
    t.PAS.Primary_ID = 25;
    ASSERT_EQ(file.setToBuffer(kKeyPrimary), 0);
    ASSERT_EQ(file.previous(), 0);
    EXPECT_EQ(t.PAS.Primary_ID, 20);
    // Auto-numbering's search: set to the highest value, read backward.
    t.PAS.Primary_ID = INT32_MAX;
    ASSERT_EQ(file.setToBuffer(kKeyPrimary), 0);
    ASSERT_EQ(file.previous(), 0);
    EXPECT_EQ(t.PAS.Primary_ID, 30);
    // Leading components only.
    t.PAS.Primary_ID = 20;
    t.PAS.Title = "zzz";
    ASSERT_EQ(file.setToBuffer(kKeyTitle, 1), 0);
    ASSERT_EQ(file.next(), 0);
    EXPECT_EQ(t.PAS.Primary_ID, 20);
}

TEST_F(KeyedFileTest, PositionTextsFindTheRecordAgain) {
    ASSERT_EQ(openOrCreate(file), 0);
    addAll({{1, "a"}, {2, "b"}, {3, "c"}});
    ASSERT_EQ(file.set(kKeyName), 0);
    ASSERT_EQ(file.next(), 0);
    ASSERT_EQ(file.next(), 0);
    std::string pos = file.position(kKeyName);
    std::string filePos = file.position();
    ASSERT_FALSE(pos.empty());
    rt::String<1024> kept(pos);  // positions travel in padded record fields
    ASSERT_EQ(file.reset(kKeyName, kept.str()), 0);
    ASSERT_EQ(file.next(), 0);
    EXPECT_EQ(t.PAS.Primary_ID, 2);
    ASSERT_EQ(file.next(), 0);
    EXPECT_EQ(t.PAS.Primary_ID, 3);
    ASSERT_EQ(file.reset(kKeyName, pos), 0);
    ASSERT_EQ(file.previous(), 0);
    EXPECT_EQ(t.PAS.Primary_ID, 2);
    t.PAS = {};
    ASSERT_EQ(file.getByPosition(filePos), 0);
    EXPECT_EQ(t.PAS.Title.clipped(), "b");
    EXPECT_EQ(file.getByPosition("garbage"), rt::ErrNoRecord);
    EXPECT_EQ(file.getByPointer(0), rt::ErrNoRecord);
    EXPECT_EQ(file.pointer(), 0);
}

TEST_F(KeyedFileTest, UniqueKeysRefuseDuplicatesAndSayWhich) {
    ASSERT_EQ(openOrCreate(file), 0);
    addAll({{1, "a"}});
    t.fill(1, "other");
    EXPECT_EQ(file.add(), rt::ErrDuplicateKey);
    EXPECT_EQ(rt::lastError().code, rt::ErrDuplicateKey);
    EXPECT_EQ(file.getByPointer(0), rt::ErrNoRecord);
    EXPECT_TRUE(file.duplicates(kKeyPrimary));
    EXPECT_FALSE(file.duplicates(kKeyTitle));
    EXPECT_FALSE(file.duplicates(kKeyName)) << "a key with duplicates never clashes";
    EXPECT_EQ(file.records(), 1);
}

TEST_F(KeyedFileTest, PutAndDeleteActOnTheCurrentRecord) {
    ASSERT_EQ(openOrCreate(file), 0);
    EXPECT_EQ(file.put(), rt::ErrNoRecord);
    addAll({{1, "a"}, {2, "b"}});
    t.PAS.Primary_ID = 1;
    ASSERT_EQ(file.get(kKeyPrimary), 0);
    t.PAS.Title = "changed";
    t.PAS.DateCreated = rt::toStored(rt::dateFromParts(2, 29, 2024));
    ASSERT_EQ(file.put(), 0);
    ASSERT_EQ(file.put(), 0) << "a second put compares with the image it wrote";
    t.PAS = {};
    t.PAS.Primary_ID = 1;
    ASSERT_EQ(file.get(kKeyPrimary), 0);
    EXPECT_EQ(t.PAS.Title.clipped(), "changed");
    EXPECT_EQ(rt::fromStored(t.PAS.DateCreated), rt::dateFromParts(2, 29, 2024));
    ASSERT_EQ(file.remove(), 0);
    EXPECT_EQ(file.remove(), rt::ErrNoRecord);
    EXPECT_EQ(file.records(), 1);
    EXPECT_EQ(file.get(kKeyPrimary), rt::ErrNoRecord);
}

TEST_F(KeyedFileTest, MemosAreStoredCutToTheirSizeAndCanBeSkipped) {
    ASSERT_EQ(openOrCreate(file), 0);
    std::string longNotes(600, 'x');
    longNotes += std::string(600, 'y');
    t.fill(1, "a", "", longNotes);
    ASSERT_EQ(file.add(), 0);
    t.PAS.Notes = "stale";
    t.PAS.Primary_ID = 1;
    ASSERT_EQ(file.get(kKeyPrimary), 0);
    EXPECT_EQ(t.PAS.Notes.size(), 1000u);
    t.PAS.Notes = "untouched";
    file.skipMemosOnNextRead();
    ASSERT_EQ(file.get(kKeyPrimary), 0);
    EXPECT_EQ(t.PAS.Notes, "untouched");
    t.PAS.Title = "b";
    ASSERT_EQ(file.put(), 0) << "a record read without memos can still be written";
}

TEST_F(KeyedFileTest, SavedStateRestoresPositionAndBuffer) {
    ASSERT_EQ(openOrCreate(file), 0);
    addAll({{1, "a"}, {2, "b"}, {3, "c"}});
    ASSERT_EQ(file.set(kKeyPrimary), 0);
    ASSERT_EQ(file.next(), 0);
    int handle = file.saveState();
    ASSERT_GT(handle, 0);
    ASSERT_EQ(file.next(), 0);
    ASSERT_EQ(file.next(), 0);
    t.PAS.Notes = "edited";
    ASSERT_EQ(file.restoreState(handle), 0);
    EXPECT_EQ(t.PAS.Primary_ID, 1);
    EXPECT_EQ(t.PAS.Notes, "notes of a");
    ASSERT_EQ(file.next(), 0);
    EXPECT_EQ(t.PAS.Primary_ID, 2);
    file.freeState(handle);
    EXPECT_EQ(file.restoreState(handle), rt::ErrNoRecord);
}

TEST_F(KeyedFileTest, ReadAheadReturnsTheSameRecords) {
    ASSERT_EQ(openOrCreate(file), 0);
    for (int i = 1; i <= 50; ++i) addAll({{i, "t" + std::to_string(i)}});
    file.setReadAhead(20);
    ASSERT_EQ(file.set(kKeyPrimary), 0);
    std::vector<int> ids = readAll(true);
    ASSERT_EQ(ids.size(), 50u);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(ids[i], i + 1);
    ASSERT_EQ(file.set(kKeyPrimary), 0);
    for (int i = 0; i < 5; ++i) ASSERT_EQ(file.next(), 0);
    ASSERT_EQ(file.previous(), 0) << "turning round drops the rows read ahead";
    EXPECT_EQ(t.PAS.Primary_ID, 4);
}

TEST_F(KeyedFileTest, DriverStringsAnswerTheirSettings) {
    ASSERT_EQ(openOrCreate(file), 0);
    std::string answer;
    EXPECT_EQ(file.send("Recover=3", &answer), 0);
    EXPECT_EQ(answer, "3");
    EXPECT_EQ(file.send("QUICKSCAN=on", &answer), 0);
    EXPECT_EQ(answer, "on");
    EXPECT_EQ(file.send("quickscan=off", &answer), 0);
    EXPECT_EQ(answer, "off");
    EXPECT_EQ(file.send("FROBNICATE=1"), rt::ErrNotSupported);
}

struct Recorder : rt::FileCallback {
    std::vector<std::string> calls;
    int vetoOp = -1;
    bool functionCalled(int op, const rt::FileCallParams&, std::string& code,
                        std::string& msg) override {
        calls.push_back("before " + std::to_string(op));
        if (op != vetoOp) return true;
        code = "5";
        msg = "vetoed";
        return false;
    }
    void functionDone(int op, const rt::FileCallParams&, std::string& code, std::string&) override {
        calls.push_back("after " + std::to_string(op) + " " + code);
    }
};

TEST_F(KeyedFileTest, CallBacksSeeEveryOperationAndCanVetoIt) {
    Recorder recorder;
    file.setCallback(&recorder);
    ASSERT_EQ(openOrCreate(file), 0);
    addAll({{1, "a"}});
    EXPECT_EQ(file.next(), rt::ErrNoRecord);
    recorder.vetoOp = rt::OpDelete;
    EXPECT_EQ(file.remove(), rt::ErrAccessDenied);
    EXPECT_EQ(file.records(), 1) << "a vetoed delete deletes nothing";
    ASSERT_EQ(file.close(), 0);
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{
                                  "before 2", "after 2 2", "before 3", "after 3 0", "before 2",
                                  "after 2 0", "before 1", "after 1 0", "before 24", "after 24 33",
                                  "before 11", "before 9", "after 9 0", "before 7", "after 7 0"}));
}

TEST_F(KeyedFileTest, MissingKeyIndexAsksForARebuild) {
    ASSERT_EQ(openOrCreate(file), 0);
    addAll({{1, "a"}, {2, "b"}});
    ASSERT_EQ(file.database()->exec("DROP INDEX \"Password_KeyName\""), 0);
    file.close();
    EXPECT_EQ(file.open(), rt::ErrKeysInvalid);
    EXPECT_NE(rt::lastError().driverText.find("PAS:KeyName"), std::string::npos);
    ASSERT_EQ(file.buildKeys(), 0);
    ASSERT_EQ(file.open(), 0);
    EXPECT_EQ(file.records(), 2);
}

TEST_F(KeyedFileTest, TwoTablesLiveInOneFile) {
    ASSERT_EQ(openOrCreate(file), 0);
    addAll({{1, "a"}});
    struct {
        std::int32_t id = 0;
        rt::String<20> master;
    } SYS;
    rt::FileDefinition sysDef("System", "SYS", "Lockora\\!System", kOwnerPassword);
    sysDef.addField("SYS:System_ID", SYS.id);
    sysDef.addField("SYS:MasterPassword", SYS.master);
    sysDef.addKey("SYS:System_IDKey", "Sys:System_IDKey", {{SYS.id, true}}, true, true);
    rt::KeyedFile sys(sysDef);
    EXPECT_EQ(sys.open(), rt::ErrFileNotFound) << "the file exists, the table does not";
    ASSERT_EQ(sys.create(), 0);
    ASSERT_EQ(sys.open(), 0);
    SYS.id = 1;
    SYS.master = "Secret";
    ASSERT_EQ(sys.add(), 0);
    EXPECT_EQ(file.records(), 1) << "creating a table keeps the other's records";
}

}  // namespace

namespace {

// Every statement sequential reading uses must seek on an index: no scan of
// the table and no sort of it in a temporary B-tree.
TEST_F(KeyedFileTest, PageReadsSeekOnAnIndexInEveryKeyOrder) {
    ASSERT_EQ(openOrCreate(file), 0);
    for (int i = 1; i <= 20; ++i) addAll({{i, "t" + std::to_string(i)}});
    for (int key : {-1, kKeyPrimary, kKeyTitle, kKeyName}) {
        for (const std::string& sql : file.TEST_pageReadStatements(key)) {
            std::vector<std::string> plan = file.database()->queryPlan(sql);
            ASSERT_FALSE(plan.empty()) << sql;
            std::string all;
            for (const auto& line : plan) all += line + "\n";
            EXPECT_NE(all.find("SEARCH TABLE"), std::string::npos) << sql << "\n" << all;
            EXPECT_EQ(all.find("SCAN"), std::string::npos) << sql << "\n" << all;
            EXPECT_EQ(all.find("TEMP B-TREE"), std::string::npos) << sql << "\n" << all;
        }
    }
}

}  // namespace

namespace {

TEST_F(KeyedFileTest, ResetFindsARecordFromAPositionOfAnotherOrder) {
    ASSERT_EQ(openOrCreate(file), 0);
    addAll({{1, "c"}, {2, "a"}, {3, "b"}});
    t.PAS.Primary_ID = 3;
    ASSERT_EQ(file.get(kKeyPrimary), 0);
    std::string filePosition = file.position();
    ASSERT_EQ(file.reset(kKeyName, filePosition), 0);
    ASSERT_EQ(file.next(), 0);
    EXPECT_EQ(t.PAS.Primary_ID, 3);
    ASSERT_EQ(file.next(), 0);
    EXPECT_EQ(t.PAS.Primary_ID, 1) << "b is followed by c in title order";
    // A deleted record's position still places reading where it stood.
    std::string gone = file.position(kKeyName);
    ASSERT_EQ(file.remove(), 0);
    ASSERT_EQ(file.reset(kKeyName, gone), 0);
    ASSERT_EQ(file.previous(), 0);
    EXPECT_EQ(t.PAS.Primary_ID, 3);
}

}  // namespace
