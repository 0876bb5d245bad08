#include <gtest/gtest.h>

#include <memory>

#include "data/RelationManager.h"
#include "runtime/store/FileErrors.h"
#include "tests/data/DataTestFixture.h"

using namespace datatest;

namespace {

// A table related to another through its Group field.
struct LinkedRelation : RelationManager {
    RelationManager* related = nullptr;
    ItemTable* mine = nullptr;
    ItemTable* theirs = nullptr;
    int updateMode = RINone;
    int deleteMode = RINone;

    void DeferedAddRelations() override {
        if (!related) return;
        auto pairs = std::make_unique<BufferedPairsClass>();
        pairs->Init();
        pairs->AddPair(mine->TST.Group, theirs->TST.Group);
        AddRelation(*related, updateMode, deleteMode, theirs->key(1), std::move(pairs));
    }
};

// Parent 1 (group 5) with children 1 and 2 in group 5 and child 3 in group 6.
class RelationManagerTest : public DataTest {
  protected:
    void SetUp() override {
        DataTest::SetUp();
        parent = std::make_unique<ItemTable>("Family\\!Parent");
        child = std::make_unique<ItemTable>("Family\\!Child");
        pm = std::make_unique<TestManager>(*parent, errors);
        cm = std::make_unique<TestManager>(*child, errors);
        pm->AddKey(parent->key(0), "KeyId", 1);
        cm->AddKey(child->key(0), "KeyId", 1);
        cm->AddKey(child->key(1), "Group");
        parentRelation.Init(*pm, true);
        childRelation.Init(*cm, true);
        parentRelation.related = &childRelation;
        parentRelation.mine = parent.get();
        parentRelation.theirs = child.get();

        pm->Open();
        parent->TST.Group = 5;
        parent->TST.Title = "parent";
        ASSERT_EQ(pm->Insert(), LevelBenign);
        pm->Close();
        cm->Open();
        for (int group : {5, 5, 6}) {
            child->TST.Group = group;
            child->TST.Title = "child" + std::to_string(child->TST.Id + 1);
            ASSERT_EQ(cm->Insert(), LevelBenign);
        }
        cm->Close();
    }

    void TearDown() override {
        parentRelation.Kill();
        childRelation.Kill();
        cm.reset();
        pm.reset();
        child.reset();
        parent.reset();
        DataTest::TearDown();
    }

    // Reads the parent as a form would before changing it.
    void readParent() {
        parentRelation.Open();
        parent->TST.Id = 1;
        ASSERT_EQ(pm->Fetch(parent->key(0)), LevelBenign);
        parentRelation.Save();
    }

    std::vector<int> childGroups() {
        std::vector<int> groups;
        cm->Open();
        cm->UseFile(2);
        child->file->set(0);
        while (cm->TryNext() == LevelBenign) groups.push_back(child->TST.Group);
        cm->Close();
        return groups;
    }

    int storedParentGroup() {
        ItemTable reader("Family\\!Parent");
        if (reader.file->open() != 0) return -1;
        reader.TST.Id = 1;
        return reader.file->get(0) == 0 ? reader.TST.Group : -1;
    }

    bool inTransaction() { return parent->file->station().inTransaction(); }

    std::unique_ptr<ItemTable> parent, child;
    std::unique_ptr<TestManager> pm, cm;
    LinkedRelation parentRelation, childRelation;
};

}  // namespace

TEST_F(RelationManagerTest, OpeningVisitsEachTableOnceAndRelatedTablesStayLazy) {
    parentRelation.updateMode = RelationManager::RICascade;
    childRelation.related = &parentRelation;  // and back again: a cycle
    childRelation.mine = child.get();
    childRelation.theirs = parent.get();
    childRelation.updateMode = RelationManager::RICascade;

    ASSERT_EQ(parentRelation.ForceOpen(), LevelBenign);
    EXPECT_TRUE(pm->Used);
    EXPECT_EQ(pm->GetOpened(), 1);  // visited once despite the cycle
    EXPECT_EQ(cm->GetOpened(), 1);
    EXPECT_FALSE(cm->Used);  // related tables stay lazy
    EXPECT_EQ((*parentRelation.Relations)[0].Opened, 1);
    ASSERT_EQ(childRelation.Relations->size(), 1u);
    EXPECT_EQ((*childRelation.Relations)[0].Opened, 0);

    ASSERT_EQ(parentRelation.Close(), LevelBenign);
    EXPECT_EQ(pm->GetOpened(), 0);
    EXPECT_EQ(cm->GetOpened(), 0);
}

TEST_F(RelationManagerTest, CloseLeavesRelatedOpensMadeElsewhere) {
    childRelation.Open();
    parentRelation.Open();
    EXPECT_EQ(cm->GetOpened(), 2);
    parentRelation.Close();
    EXPECT_EQ(cm->GetOpened(), 1);
    EXPECT_TRUE(cm->Used);
    childRelation.Close();
    EXPECT_EQ(cm->GetOpened(), 0);
}

TEST_F(RelationManagerTest, CascadedUpdateCarriesTheNewLinkIntoRelatedRecords) {
    parentRelation.updateMode = RelationManager::RICascade;
    readParent();
    parent->TST.Group = 9;
    EXPECT_EQ(parentRelation.Update(), LevelBenign);
    parentRelation.Close();
    EXPECT_FALSE(inTransaction());
    EXPECT_EQ(storedParentGroup(), 9);
    EXPECT_EQ(childGroups(), (std::vector<int>{9, 9, 6}));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(RelationManagerTest, RestrictedUpdateIsRolledBackWithErrorThirtyFour) {
    parentRelation.updateMode = RelationManager::RIRestrict;
    readParent();
    parent->TST.Group = 9;
    EXPECT_EQ(parentRelation.Update(), LevelNotify);
    parentRelation.Close();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(lastBox().caption, "Referential Integrity Update Error");
    EXPECT_FALSE(inTransaction());
    EXPECT_EQ(storedParentGroup(), 5);
    EXPECT_EQ(childGroups(), (std::vector<int>{5, 5, 6}));
}

TEST_F(RelationManagerTest, RestrictedDeleteIsRolledBackWithErrorThirtyThree) {
    parentRelation.deleteMode = RelationManager::RIRestrict;
    readParent();
    EXPECT_EQ(parentRelation.Delete(false), LevelNotify);
    parentRelation.Close();
    ASSERT_EQ(boxes.size(), 1u);  // no retry question for a refused delete
    EXPECT_EQ(lastBox().caption, "Referential Integrity Delete Error");
    EXPECT_FALSE(inTransaction());
    EXPECT_EQ(storedParentGroup(), 5);
    EXPECT_EQ(childGroups(), (std::vector<int>{5, 5, 6}));
}

TEST_F(RelationManagerTest, CascadedDeleteRemovesTheRelatedRecords) {
    parentRelation.deleteMode = RelationManager::RICascade;
    readParent();
    EXPECT_EQ(parentRelation.Delete(false), LevelBenign);
    parentRelation.Close();
    EXPECT_EQ(storedParentGroup(), -1);
    EXPECT_EQ(childGroups(), (std::vector<int>{6}));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(RelationManagerTest, ClearingDeleteBlanksTheRelatedLinks) {
    parentRelation.deleteMode = RelationManager::RIClear;
    readParent();
    EXPECT_EQ(parentRelation.Delete(false), LevelBenign);
    parentRelation.Close();
    EXPECT_EQ(childGroups(), (std::vector<int>{0, 0, 6}));
}

TEST_F(RelationManagerTest, FailedDeleteAsksToRetryAndRetriesTheWholeAttempt) {
    readParent();
    rt::KeyedStation other;
    ItemTable theirs("Family\\!Parent", true, &other);
    ASSERT_EQ(theirs.file->open(), 0);
    theirs.TST.Id = 1;
    ASSERT_EQ(theirs.file->get(0), 0);
    ASSERT_EQ(theirs.file->hold(), 0);

    std::vector<std::string> captions;
    int retries = 0;
    rt::TEST_setMessageBoxHook([&](const rt::MessageBoxRequest& box) {
        captions.push_back(box.caption);
        if (box.caption == "Record Delete Error" && ++retries == 2) theirs.file->release();
        return box.buttons & rt::ButtonYes ? rt::ButtonYes : rt::ButtonOk;
    });
    EXPECT_EQ(parentRelation.Delete(true), LevelBenign);
    EXPECT_EQ(captions, (std::vector<std::string>{"Confirm Delete", "Record was not deleted",
                                                  "Record Delete Error", "Record was not deleted",
                                                  "Record Delete Error"}));
    EXPECT_FALSE(inTransaction());
    EXPECT_EQ(storedParentGroup(), -1);
    parentRelation.Close();
}

TEST_F(RelationManagerTest, DeclinedDeleteRetryReturnsTheFailure) {
    readParent();
    rt::KeyedStation other;
    ItemTable theirs("Family\\!Parent", true, &other);
    ASSERT_EQ(theirs.file->open(), 0);
    theirs.TST.Id = 1;
    ASSERT_EQ(theirs.file->get(0), 0);
    ASSERT_EQ(theirs.file->hold(), 0);
    answers = {rt::ButtonOk, rt::ButtonNo};
    EXPECT_EQ(parentRelation.Delete(false), LevelNotify);
    EXPECT_EQ(boxCount("Record Delete Error"), 1);
    EXPECT_EQ(storedParentGroup(), 5);
    parentRelation.Close();
}

TEST_F(RelationManagerTest, FormUpdateAfterAnotherStationShowsErrorEightAndTheirVersion) {
    readParent();
    rt::KeyedStation other;
    ItemTable theirs("Family\\!Parent", true, &other);
    ASSERT_EQ(theirs.file->open(), 0);
    theirs.TST.Id = 1;
    ASSERT_EQ(theirs.file->get(0), 0);
    theirs.TST.Title = "their title";
    ASSERT_EQ(theirs.file->put(), 0);

    parent->TST.Title = "my title";
    EXPECT_EQ(parentRelation.Update(true), LevelNotify);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(lastBox().text.find("Those changes will now be displayed"), std::string::npos);
    EXPECT_EQ(pm->LastError, ErrChangedByAnotherShown);
    EXPECT_EQ(parent->TST.Title.clipped(), "their title");
    EXPECT_FALSE(inTransaction());

    parent->TST.Title = "my title";
    parent->TST.Id = 1;
    ASSERT_EQ(pm->Fetch(parent->key(0)), LevelBenign);
    EXPECT_EQ(parent->TST.Title.clipped(), "their title");
    parent->TST.Title = "my title";
    EXPECT_EQ(parentRelation.Update(false), LevelBenign);
    parentRelation.Close();
}

TEST_F(RelationManagerTest, OtherFailedUpdatesReturnOne) {
    cm->AddKey(child->key(2), "Title key");
    childRelation.Open();
    child->TST.Id = 2;
    ASSERT_EQ(cm->Fetch(child->key(0)), LevelBenign);
    child->TST.Title = "CHILD1";  // the unique folded title of child 1
    EXPECT_EQ(childRelation.Update(), LevelUser);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(lastBox().caption, "Record was not updated");
    EXPECT_FALSE(inTransaction());
    childRelation.Close();
}

TEST_F(RelationManagerTest, RefusedTransactionIsErrorTwentyFour) {
    readParent();
    rt::KeyedStation other;
    ItemTable theirs("Family\\!Parent", true, &other);
    ASSERT_EQ(theirs.file->open(), 0);
    rt::DbStatus status;
    ASSERT_EQ(other.begin({theirs.file->database()}, 1, status), 0);

    parentRelation.LogoutTimeout = 0;
    parent->TST.Title = "blocked";
    EXPECT_EQ(parentRelation.Update(), LevelNotify);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(lastBox().caption, "Transaction cancelled");
    other.rollback(status);
    EXPECT_EQ(storedParentGroup(), 5);
    parentRelation.Close();
}

TEST_F(RelationManagerTest, QuickScanReachesTheChosenRelations) {
    parentRelation.Open();
    cm->UseFile(2);
    std::string answer;
    parentRelation.SetQuickScan(true, 3);
    parent->file->send("QUICKSCAN", &answer);
    EXPECT_EQ(answer, "on");
    child->file->send("QUICKSCAN", &answer);
    EXPECT_EQ(answer, "on");

    parentRelation.SetQuickScan(false, 1);  // only relations without linking pairs
    parent->file->send("QUICKSCAN", &answer);
    EXPECT_EQ(answer, "off");
    child->file->send("QUICKSCAN", &answer);
    EXPECT_EQ(answer, "on");
    parentRelation.Close();
}

TEST_F(RelationManagerTest, CascadeOverCyclicRelationsEnds) {
    parentRelation.updateMode = RelationManager::RICascade;
    childRelation.related = &parentRelation;
    childRelation.mine = child.get();
    childRelation.theirs = parent.get();
    childRelation.updateMode = RelationManager::RICascade;
    pm->AddKey(parent->key(1), "Group");
    readParent();
    parent->TST.Group = 9;
    EXPECT_EQ(parentRelation.Update(), LevelBenign);
    parentRelation.Close();
    EXPECT_FALSE(inTransaction());
    EXPECT_EQ(storedParentGroup(), 9);
    EXPECT_EQ(childGroups(), (std::vector<int>{9, 9, 6}));
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(asserts.empty());
}
