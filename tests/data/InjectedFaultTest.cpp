// Every write and every sync of the record operations fails in turn, through
// the failing storage layer. Each time the failure reaches the caller as an
// error level with a message to the user (never a success), and the file,
// opened afresh and read without the program's code, passes the integrity
// check and holds exactly the data before the operation or, only when the
// operation's commit record reached the disk before a failed sync, after it.
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "data/RelationManager.h"
#include "runtime/store/KeyedDatabase.h"
#include "runtime/store/TEST_FailingVfs.h"
#include "tests/data/DataTestFixture.h"
#include "tests/support/CipherQuery.h"

using namespace datatest;
using Op = rt::TEST_FailingVfs::Op;

namespace {

constexpr const char* kKey = "testsecret";

// Parent 1 in group 5; children in groups 5, 5 and 6; a change of the
// parent's group cascades into its children in the same transaction.
struct Family : RelationManager {
    ItemTable parent{"Family\\!Parent"}, child{"Family\\!Child"};
    std::unique_ptr<TestManager> pm, cm;
    RelationManager childRelation;

    explicit Family(ErrorClass& errors) {
        pm = std::make_unique<TestManager>(parent, errors);
        cm = std::make_unique<TestManager>(child, errors);
        pm->AddKey(parent.key(0), "KeyId", 1);
        cm->AddKey(child.key(0), "KeyId", 1);
        cm->AddKey(child.key(1), "Group");
        Init(*pm, true);
        childRelation.Init(*cm, true);
    }
    ~Family() override {
        Kill();
        childRelation.Kill();
    }
    void DeferedAddRelations() override {
        auto pairs = std::make_unique<BufferedPairsClass>();
        pairs->Init();
        pairs->AddPair(parent.TST.Group, child.TST.Group);
        AddRelation(childRelation, RICascade, RICascade, child.key(1), std::move(pairs));
    }
    // Reads parent `id` as a form would before changing it.
    bool readParent(int id) {
        Open();
        parent.TST.Id = id;
        if (pm->Fetch(parent.key(0)) != LevelBenign) return false;
        Save();
        return true;
    }
};

class InjectedFaultTest : public DataTest {
  protected:
    void SetUp() override {
        DataTest::SetUp();
        vfs = std::make_unique<rt::TEST_FailingVfs>();
        Family f(errors);
        f.pm->Open();
        f.parent.TST.Group = 5;
        f.parent.TST.Title = "parent";
        ASSERT_EQ(f.pm->Insert(), LevelBenign);
        f.pm->Close();
        f.cm->Open();
        for (int group : {5, 5, 6}) {
            f.child.TST.Group = group;
            f.child.TST.Title = "child" + std::to_string(f.child.TST.Id + 1);
            ASSERT_EQ(f.cm->Insert(), LevelBenign);
        }
        f.cm->Close();
    }
    void TearDown() override {
        vfs.reset();
        DataTest::TearDown();
    }

    // Both tables as rows of text, read without the program's code.
    testsupport::Rows contents() const {
        // The storage library's own structural check (its full check would
        // need the program's case-folding function for the folded indexes),
        // then the runtime's full check, indexes included.
        auto file = dir.file("Family.lkdb");
        auto quick = testsupport::cipherQuery(file, kKey, "PRAGMA quick_check");
        std::string full;
        {
            ItemTable reader("Family\\!Parent");
            full = reader.file->open() == 0 ? reader.file->database()->integrityCheck() : "no open";
        }
        testsupport::Rows all = {
            {"integrity"}, quick.empty() ? std::vector<std::string>{} : quick[0], {full}};
        for (const char* sql : {"SELECT Id, \"Group\", Seq, Title FROM Parent ORDER BY Id",
                                "SELECT Id, \"Group\", Seq, Title FROM Child ORDER BY Id"})
            for (auto& row : testsupport::cipherQuery(file, kKey, sql)) all.push_back(row);
        return all;
    }

    // Runs `operation` with the nth write or sync failing, for n = 1, 2, ...
    // until an attempt meets no failure, checking each attempt; the operation
    // answers the level it returned.
    void failEveryStep(const std::function<ErrorLevel(Family&)>& operation) {
        const testsupport::Rows before = contents();
        pristine = testsupport::readFile(dir.file("Family.lkdb"));
        ASSERT_EQ(before[1], std::vector<std::string>{"ok"});
        ASSERT_EQ(before[2], std::vector<std::string>{"ok"});
        for (Op op : {Op::Write, Op::Sync}) {
            for (int n = 1;; ++n) {
                SCOPED_TRACE(testing::Message() << (op == Op::Write ? "write " : "sync ") << n);
                ASSERT_LT(n, 200) << "the operation never got past its failures";
                boxes.clear();
                int failed = vfs->failures();
                ErrorLevel level;
                {
                    Family f(errors);
                    vfs->failAt(op, n, op == Op::Write ? SQLITE_IOERR_WRITE : SQLITE_IOERR_FSYNC);
                    level = operation(f);
                    vfs->heal();
                    f.Close();
                }
                bool hit = vfs->failures() > failed;
                testsupport::Rows now = contents();
                EXPECT_EQ(now[1], std::vector<std::string>{"ok"});
                EXPECT_EQ(now[2], std::vector<std::string>{"ok"});
                if (!hit) {
                    EXPECT_EQ(level, LevelBenign);
                    EXPECT_NE(now, before) << "the operation changed nothing";
                    restore(before);
                    break;
                }
                if (level == LevelBenign) {
                    EXPECT_NE(now, before) << "a failure was reported as success";
                } else {
                    EXPECT_FALSE(boxes.empty()) << "a failure the user was not told of";
                    if (op == Op::Write) {
                        EXPECT_EQ(now, before) << "a failed write committed";
                    }
                }
                if (now != before) restore(before);
            }
        }
    }

    // Puts the data file back as it was before the test's first attempt;
    // every connection is closed by then, so the file alone holds it all.
    void restore(const testsupport::Rows& before) {
        for (const char* suffix : {"-wal", "-shm"})
            std::filesystem::remove(dir.file(std::string("Family.lkdb") + suffix));
        testsupport::writeFile(dir.file("Family.lkdb"), pristine);
        ASSERT_EQ(contents(), before);
    }

    std::string pristine;
    std::unique_ptr<rt::TEST_FailingVfs> vfs;
};

}  // namespace

TEST_F(InjectedFaultTest, InsertFailsCleanlyAtEveryWriteAndSync) {
    failEveryStep([](Family& f) -> ErrorLevel {
        f.Open();
        f.parent.TST.Id = 0;
        f.parent.TST.Group = 7;
        f.parent.TST.Title = "second";
        return f.pm->Insert();
    });
}

TEST_F(InjectedFaultTest, UpdateFailsCleanlyAtEveryWriteAndSync) {
    failEveryStep([](Family& f) -> ErrorLevel {
        if (!f.readParent(1)) return LevelFatal;
        f.parent.TST.Title = "renamed";
        return f.pm->Update();
    });
}

TEST_F(InjectedFaultTest, DeleteFailsCleanlyAtEveryWriteAndSync) {
    answers.assign(50, rt::ButtonNo);  // never retry: each attempt is one try
    failEveryStep([](Family& f) -> ErrorLevel {
        if (!f.readParent(1)) return LevelFatal;
        return f.Delete(false);
    });
}

TEST_F(InjectedFaultTest, ATransactionOverBothTablesFailsAsAWhole) {
    failEveryStep([](Family& f) -> ErrorLevel {
        if (!f.readParent(1)) return LevelFatal;
        f.parent.TST.Group = 9;
        return f.Update();
    });
}

TEST_F(InjectedFaultTest, AKeyBuildFailsCleanlyAtEveryWriteAndSync) {
    const testsupport::Rows before = contents();
    for (Op op : {Op::Write, Op::Sync}) {
        for (int n = 1;; ++n) {
            SCOPED_TRACE(testing::Message() << (op == Op::Write ? "write " : "sync ") << n);
            ASSERT_LT(n, 200);
            int failed = vfs->failures();
            int rc;
            {
                ItemTable child("Family\\!Child");
                ASSERT_EQ(child.file->open(), 0);
                vfs->failAt(op, n, op == Op::Write ? SQLITE_IOERR_WRITE : SQLITE_IOERR_FSYNC);
                rc = child.file->buildKeys();
                vfs->heal();
            }
            bool hit = vfs->failures() > failed;
            EXPECT_EQ(contents(), before);
            if (!hit) {
                EXPECT_EQ(rc, 0);
                break;
            }
            if (op == Op::Write) {
                EXPECT_NE(rc, 0) << "a failed write was reported as success";
            }
            ItemTable child("Family\\!Child");
            EXPECT_EQ(child.file->open(), 0) << "the keys are usable after the failure";
            child.TST.Group = 5;
            EXPECT_EQ(child.file->set(1), 0);
            EXPECT_EQ(child.file->next(), 0);
        }
    }
}
