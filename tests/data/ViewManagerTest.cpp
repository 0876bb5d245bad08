#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/RelationManager.h"
#include "data/ViewManager.h"
#include "tests/data/DataTestFixture.h"

using namespace datatest;

namespace {

// Rows as (group, seq, title); ids follow from 1.
struct Row {
    std::int32_t group, seq;
    const char* title;
};
const std::vector<Row> kRows = {{5, 1, "alpha"},   {5, 2, "Bravo"}, {5, 3, "charlie"},
                                {6, 1, "O'Brien"}, {6, 2, "delta"}, {7, 1, "echo"}};

// Accepts even ids up to Last, skips odd ones, stops after Last.
struct EvenIdsUpTo : ViewManager {
    ItemRecord* record = nullptr;
    int Last = 0;
    int ValidateRecord() override {
        if (record->Id > Last) return RecordOutOfRange;
        return record->Id % 2 ? RecordFiltered : RecordOK;
    }
};

class ViewManagerTest : public DataTest {
  protected:
    void SetUp() override {
        DataTest::SetUp();
        table = std::make_unique<ItemTable>();
        fm = std::make_unique<TestManager>(*table, errors);
        fm->AddKey(table->key(0), "KeyId", 1);
        fm->AddKey(table->key(1), "GroupSeq");
        fm->AddKey(table->key(2), "Title");
        fm->AddKey(table->key(3), "GroupDown");
        relation.Init(*fm, false);
        fm->Open();
        for (const Row& row : kRows) {
            rec().Group = row.group;
            rec().Seq = row.seq;
            rec().Title = row.title;
            ASSERT_EQ(fm->Insert(), LevelBenign);
        }
        fm->Close();
        view = std::make_unique<rt::View>(*table->file);
    }

    void TearDown() override {
        vm.reset();
        view.reset();
        relation.Kill();
        fm.reset();
        table.reset();
        DataTest::TearDown();
    }

    ItemRecord& rec() { return table->TST; }

    template <typename Manager = ViewManager>
    Manager& start(SortOrderQueue* queue = nullptr) {
        auto manager = std::make_unique<Manager>();
        Manager& ref = *manager;
        vm = std::move(manager);
        vm->Init(*view, relation, queue);
        return ref;
    }

    // Every id the manager steps through from its start.
    std::vector<int> readAll(bool forward = true) {
        vm->Reset();
        std::vector<int> ids;
        while ((forward ? vm->Next() : vm->Previous()) == LevelBenign) ids.push_back(rec().Id);
        return ids;
    }

    std::string appliedFilter() {
        vm->ApplyFilter();
        return view->filter();
    }

    SortOrder& current() { return *vm->Order->Current(); }

    std::unique_ptr<ItemTable> table;
    std::unique_ptr<TestManager> fm;
    RelationManager relation;
    std::unique_ptr<rt::View> view;
    std::unique_ptr<ViewManager> vm;
};

TEST_F(ViewManagerTest, InitUsesTheViewsTablesAndKillGivesThemBack) {
    start();
    EXPECT_TRUE(vm->Used);
    EXPECT_EQ(fm->GetOpened(), 1);
    EXPECT_TRUE(table->file->isOpen());  // made ready at once, not lazily
    EXPECT_EQ(vm->PageSize, 20);
    EXPECT_EQ(vm->PagesBehind, 2);
    EXPECT_EQ(vm->PagesAhead, 0);
    EXPECT_EQ(vm->TimeOut, 60);
    vm->AddSortOrder(table->key(0));
    vm->Open();
    EXPECT_TRUE(view->isOpen());

    vm->Kill();
    EXPECT_TRUE(vm->Killed);
    EXPECT_FALSE(vm->Used);
    EXPECT_FALSE(view->isOpen());
    EXPECT_EQ(fm->GetOpened(), 0);
    vm->Kill();  // a second Kill changes nothing
    EXPECT_EQ(fm->GetOpened(), 0);
    for (const auto& message : asserts) ADD_FAILURE() << message;
}

TEST_F(ViewManagerTest, ATableWithoutManagersIsAProgrammingError) {
    ItemTable other("Other");
    rt::View otherView(*other.file);
    ViewManager manager;
    manager.Init(otherView, relation);
    ASSERT_EQ(asserts.size(), 2u);
    EXPECT_EQ(asserts[0], "Unable to obtain file manager for constituent file:Other");
    EXPECT_EQ(asserts[1], "Unable to obtain relation manager for constituent file:Other");
    EXPECT_FALSE(manager.Used);
    manager.Kill();
}

TEST_F(ViewManagerTest, SortOrdersTakeTheirKeysOrderAndFirstComponent) {
    start();
    EXPECT_EQ(vm->AddSortOrder(table->key(2)), 1);
    EXPECT_EQ(current().Order, "UPPER(TST:Title)");
    EXPECT_TRUE(current().FreeElement == rt::FieldRef(rec().Title));
    EXPECT_EQ(vm->AddSortOrder(table->key(3)), 2);
    EXPECT_EQ(current().Order, "TST:Group,-TST:Seq");
    EXPECT_EQ(vm->AddSortOrder(), 3);
    EXPECT_EQ(current().Order, "");
    EXPECT_TRUE(current().FreeElement.isNull());
    EXPECT_EQ(vm->Order->Pointer(), 3);  // the order added last is selected
}

TEST_F(ViewManagerTest, SetSortSelectsAndSaysWhetherTheOrderChanged) {
    start();
    vm->AddSortOrder(table->key(0));
    vm->AddSortOrder(table->key(1));
    EXPECT_TRUE(vm->SetSort(0));  // 0 means the first
    EXPECT_EQ(vm->Order->Pointer(), 1);
    EXPECT_FALSE(vm->SetSort(1));
    EXPECT_TRUE(vm->SetSort(2));
    EXPECT_FALSE(vm->SetSort(3));
    EXPECT_EQ(vm->Order->Pointer(), 2);
    ASSERT_EQ(asserts.size(), 1u);
    EXPECT_EQ(asserts[0], "Sort order does not exist:3");
}

TEST_F(ViewManagerTest, AppendOrderReplacesWithStarAndOtherwiseAppends) {
    start();
    vm->AddSortOrder();
    vm->AppendOrder("TST:Group");  // no text yet: becomes the text
    EXPECT_EQ(current().Order, "TST:Group");
    vm->AppendOrder("-TST:Seq");
    EXPECT_EQ(current().Order, "TST:Group,-TST:Seq");
    vm->AppendOrder("*UPPER(TST:Title)");
    EXPECT_EQ(current().Order, "UPPER(TST:Title)");
    vm->SetOrder("   ");
    EXPECT_EQ(current().Order, "");
    EXPECT_TRUE(asserts.empty());
}

TEST_F(ViewManagerTest, OrderAndFilterWithoutAnyOrderAreProgrammingErrors) {
    start();
    vm->SetOrder("TST:Id");
    vm->Open();
    ASSERT_EQ(asserts.size(), 2u);
    EXPECT_EQ(asserts[0], "View does not have any sort orders defined");
    EXPECT_EQ(asserts[1], "At least 1 view order must be specified");
    EXPECT_FALSE(vm->Opened);
}

TEST_F(ViewManagerTest, NamedFiltersAreJoinedInDescendingOrderOfTheirNames) {
    start();
    vm->AddSortOrder(table->key(0));
    EXPECT_EQ(appliedFilter(), "");
    vm->SetFilter("TST:Group = 5", "1 Other");
    vm->SetFilter("TST:Seq > 1", "9 Query");
    EXPECT_EQ(appliedFilter(), "(TST:Seq > 1) AND (TST:Group = 5)");
    vm->SetFilter("TST:Id <> 3");  // the standard filter sits between them
    EXPECT_EQ(appliedFilter(), "(TST:Seq > 1) AND (TST:Id <> 3) AND (TST:Group = 5)");
    vm->SetFilter("TST:Seq > 2", "9 Query");  // replaces the text of that name
    EXPECT_EQ(appliedFilter(), "(TST:Seq > 2) AND (TST:Id <> 3) AND (TST:Group = 5)");
    vm->SetFilter("", "5 Standard");  // blank removes it
    vm->SetFilter(" ", "1 Other");
    EXPECT_EQ(appliedFilter(), "(TST:Seq > 2)");
    EXPECT_EQ(readAll(), (std::vector<int>{3}));
}

TEST_F(ViewManagerTest, FiltersBelongToTheSelectedOrder) {
    start();
    vm->AddSortOrder(table->key(0));
    vm->SetFilter("TST:Group = 7");
    vm->AddSortOrder(table->key(1));
    EXPECT_EQ(readAll(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    vm->SetSort(1);
    EXPECT_EQ(readAll(), (std::vector<int>{6}));
}

TEST_F(ViewManagerTest, RangeTextsFixAndBoundKeyComponents) {
    start();
    vm->AddSortOrder(table->key(1));  // Group, Seq
    std::int32_t group = 5, low = 2, high = 3, appliedGroup = 5, appliedLow = 2, appliedHigh = 3;
    BufferedPairsClass& range = *current().RangeList;

    range.AddPair(group, appliedGroup);
    for (int type : {1, 2, 4}) {
        current().LimitType = static_cast<std::uint8_t>(type);
        EXPECT_EQ(appliedFilter(), "TST:Group = 5") << "type " << type;
    }
    for (int type : {0, 5, 6}) {
        current().LimitType = static_cast<std::uint8_t>(type);
        EXPECT_EQ(appliedFilter(), "") << "type " << type;
    }

    range.AddPair(low, appliedLow);
    current().LimitType = 1;
    EXPECT_EQ(appliedFilter(), "TST:Group = 5 AND TST:Seq = 2");
    current().LimitType = 3;  // the last two pairs bound the first component
    EXPECT_EQ(appliedFilter(), "TST:Group >= 5 AND TST:Group <= 2");

    range.AddPair(high, appliedHigh);
    EXPECT_EQ(appliedFilter(), "TST:Group = 5 AND TST:Seq >= 2 AND TST:Seq <= 3");
    vm->SetFilter("TST:Id <> 3");
    EXPECT_EQ(appliedFilter(), "TST:Group = 5 AND TST:Seq >= 2 AND TST:Seq <= 3 AND (TST:Id <> 3)");
    EXPECT_EQ(readAll(), (std::vector<int>{2}));
    EXPECT_TRUE(asserts.empty());
}

TEST_F(ViewManagerTest, TextRangeValuesAreQuotedWithQuotesDoubled) {
    start();
    vm->AddSortOrder(table->key(2));  // UPPER(Title)
    rt::String<20> title, applied;
    applied = "o'brien";
    current().RangeList->AddPair(title, applied);
    current().LimitType = 1;
    EXPECT_EQ(appliedFilter(), "UPPER(TST:Title) = UPPER('o''brien')");
    EXPECT_EQ(readAll(), (std::vector<int>{4}));

    // Components named otherwise keep their value as it is, or lower it.
    KeyFieldEntry& component = (*fm->Keys)[2].Fields->at(0);
    component.FieldName = "TST:Title";
    EXPECT_EQ(appliedFilter(), "TST:Title = 'o''brien'");
    component.FieldName = "LOWER(TST:Title)";
    EXPECT_EQ(appliedFilter(), "LOWER(TST:Title) = LOWER('o''brien')");
    EXPECT_EQ(readAll(), (std::vector<int>{4}));
}

TEST_F(ViewManagerTest, ApplyRangeReappliesOnlyChangedLimits) {
    start();
    vm->AddSortOrder(table->key(1));
    std::int32_t group = 5, seq = 1, appliedGroup = 5, appliedSeq = 1;
    current().RangeList->AddPair(group, appliedGroup);
    current().RangeList->AddPair(seq, appliedSeq);

    current().LimitType = 2;
    EXPECT_FALSE(vm->ApplyRange());
    seq = 3;
    EXPECT_TRUE(vm->ApplyRange());
    EXPECT_EQ(appliedSeq, 3);
    EXPECT_EQ(view->filter(), "TST:Group = 5 AND TST:Seq = 3");
    EXPECT_FALSE(vm->ApplyRange());

    current().LimitType = 3;  // low is group, high is seq
    group = 6;
    seq = 9;
    EXPECT_TRUE(vm->ApplyRange());
    EXPECT_EQ(view->filter(), "TST:Group >= 6 AND TST:Group <= 9");
    seq = 2;  // only the high limit moved
    EXPECT_TRUE(vm->ApplyRange());
    EXPECT_EQ(appliedGroup, 6);
    EXPECT_EQ(appliedSeq, 2);

    current().LimitType = 4;
    current().RangeList->AssignRightToBuffer();
    EXPECT_FALSE(vm->ApplyRange());
    appliedSeq = 7;
    EXPECT_TRUE(vm->ApplyRange());
    EXPECT_FALSE(vm->ApplyRange());

    current().LimitType = 1;
    group = 1;
    EXPECT_FALSE(vm->ApplyRange());
}

TEST_F(ViewManagerTest, OrdersStepBothWays) {
    start();
    vm->AddSortOrder(table->key(3));  // Group, -Seq
    EXPECT_EQ(readAll(), (std::vector<int>{3, 2, 1, 5, 4, 6}));
    EXPECT_EQ(readAll(false), (std::vector<int>{6, 4, 5, 1, 2, 3}));
    vm->AddSortOrder(table->key(2));  // case folded
    EXPECT_EQ(readAll(), (std::vector<int>{1, 2, 3, 5, 6, 4}));
    vm->SetOrder("-TST:Seq,TST:Id");
    EXPECT_EQ(readAll(false), (std::vector<int>{6, 4, 1, 5, 2, 3}));
}

TEST_F(ViewManagerTest, ResetPositionsByTheLeadingComponentsOfTheBuffer) {
    start();
    vm->AddSortOrder(table->key(1));
    rec().Group = 6;
    rec().Seq = 99;
    vm->Reset(1);
    ASSERT_EQ(vm->Next(), LevelBenign);
    EXPECT_EQ(rec().Id, 4);
    rec().Group = 5;
    rec().Seq = 2;
    vm->Reset(2);
    ASSERT_EQ(vm->Next(), LevelBenign);
    EXPECT_EQ(rec().Id, 2);
    rec().Seq = 99;
    vm->Reset(2);
    ASSERT_EQ(vm->Previous(), LevelBenign);
    EXPECT_EQ(rec().Id, 3);
}

TEST_F(ViewManagerTest, SteppingSkipsFilteredRecordsAndStopsOutOfRange) {
    auto& manager = start<EvenIdsUpTo>();
    manager.record = &rec();
    manager.Last = 4;
    manager.AddSortOrder(table->key(0));
    manager.SetFilter("TST:Id <> 2");
    manager.Reset();
    ASSERT_EQ(manager.Next(), LevelBenign);
    EXPECT_EQ(rec().Id, 4);                  // 1 and 3 skipped here, 2 by the view's filter
    EXPECT_EQ(manager.Next(), LevelNotify);  // 5 skipped, 6 out of range
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ViewManagerTest, RunningOffTheEndIsQuietAndAReadFailureIsReported) {
    start();
    vm->AddSortOrder(table->key(0));
    EXPECT_EQ(vm->Next(), LevelFatal);  // never opened
    EXPECT_EQ(boxCount("Record Retrieval Error"), 1);

    vm->SetFilter("TST:Group = 7");
    vm->Reset();
    EXPECT_EQ(vm->Next(), LevelBenign);
    EXPECT_EQ(vm->Next(), LevelNotify);
    EXPECT_EQ(vm->Next(), LevelNotify);
    vm->Reset();
    EXPECT_EQ(vm->Previous(), LevelBenign);
    EXPECT_EQ(rec().Id, 6);
    EXPECT_EQ(vm->Previous(), LevelNotify);
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(ViewManagerTest, RejectedFilterIsReportedOnceAndIgnored) {
    start();
    vm->AddSortOrder(table->key(0));
    vm->SetFilter("TST:Group = = 5");
    EXPECT_EQ(readAll(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(boxCount("View Open Error"), 1);
    EXPECT_EQ(view->filter(), "");

    vm->SetFilter("TST:Group = 5");
    vm->SetOrder("TST:NoSuchField");
    vm->Reset();
    EXPECT_EQ(boxCount("View Open Error"), 2);
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(ViewManagerTest, PrimingFixesTheRangeComponentsAndNumbersTheRecord) {
    start();
    vm->AddSortOrder(table->key(1));
    std::int32_t group = 7, appliedGroup = 7;
    current().RangeList->AddPair(group, appliedGroup);
    current().LimitType = 1;
    rec().Title = "left over";
    rec().Seq = 4;

    ASSERT_EQ(vm->PrimeRecord(), LevelBenign);
    EXPECT_EQ(rec().Group, 7);
    EXPECT_EQ(rec().Seq, 0);
    EXPECT_EQ(rec().Title.clipped(), "");
    EXPECT_EQ(rec().Id, 7);  // added at once with the next number
    EXPECT_EQ(fm->CancelAutoInc(), LevelBenign);

    rec().Title = "kept";
    appliedGroup = 8;
    ASSERT_EQ(vm->PrimeRecord(true), LevelBenign);
    EXPECT_EQ(rec().Group, 8);
    EXPECT_EQ(rec().Title.clipped(), "kept");
    EXPECT_EQ(fm->CancelAutoInc(), LevelBenign);
}

TEST_F(ViewManagerTest, SavedBuffersComeBackWithTheirMemos) {
    start();
    vm->AddSortOrder(table->key(0));
    rec().Title = "saved";
    rec().Notes = "saved notes";
    vm->SaveBuffers();
    vm->SaveBuffers();  // the first images are released, not kept
    vm->ClearFilesRecord();
    EXPECT_EQ(rec().Title.clipped(), "");
    EXPECT_EQ(rec().Notes, "");
    vm->RestoreBuffers();
    EXPECT_EQ(rec().Title.clipped(), "saved");
    EXPECT_EQ(rec().Notes, "saved notes");
    EXPECT_TRUE(vm->SavedBuffers->empty());
    EXPECT_TRUE(fm->Buffers->empty());
    EXPECT_TRUE(asserts.empty());
}

TEST_F(ViewManagerTest, FreeElementFollowsTheRange) {
    start();
    vm->AddSortOrder();
    EXPECT_EQ(vm->GetFreeElementPosition(), 0);  // no key
    EXPECT_EQ(vm->GetFreeElementName(), "");
    EXPECT_TRUE(vm->GetFreeElementAscending());

    vm->AddSortOrder(table->key(3));  // Group, -Seq
    EXPECT_EQ(vm->GetFreeElementPosition(), 1);
    EXPECT_EQ(vm->GetFreeElementName(), "TST:Group");
    EXPECT_TRUE(vm->GetFreeElementAscending());

    std::int32_t a = 0, b = 0, c = 0;
    current().RangeList->AddPair(a, b);
    current().LimitType = 1;
    EXPECT_EQ(vm->GetFreeElementPosition(), 2);
    EXPECT_EQ(vm->GetFreeElementName(), "TST:Seq");
    EXPECT_FALSE(vm->GetFreeElementAscending());
    current().LimitType = 3;  // one pair cannot bound anything
    EXPECT_EQ(vm->GetFreeElementPosition(), 1);

    current().RangeList->AddPair(b, c);
    EXPECT_EQ(vm->GetFreeElementPosition(), 2);  // Group bounded, Seq free
    current().RangeList->AddPair(c, a);
    current().LimitType = 1;  // all components fixed
    EXPECT_EQ(vm->GetFreeElementPosition(), 0);
    EXPECT_EQ(vm->GetFreeElementName(), "");
    EXPECT_TRUE(asserts.empty());
}

TEST_F(ViewManagerTest, FirstSortFieldAndFieldDirectionReadTheOrderText) {
    start();
    vm->AddSortOrder();
    struct Case {
        const char* order;
        rt::FieldRef first;
    };
    const std::vector<Case> cases = {
        {"-UPPER(TST:Title),TST:Id", rec().Title},
        {"+upper(tst:title)", rec().Title},
        {" TST:Seq , TST:Id", rec().Seq},
        {"TST:Notes", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        vm->SetOrder(c.order);
        EXPECT_TRUE(vm->GetFirstSortField() == c.first) << c.order;
    }

    vm->SetOrder("TST:Group,-UPPER(TST:Title),+TST:Seq,-TST:Id");
    vm->ApplyOrder();
    EXPECT_TRUE(vm->GetFieldAscending(rec().Group));  // no sign: ascending
    EXPECT_FALSE(vm->GetFieldAscending(rec().Title));
    EXPECT_TRUE(vm->GetFieldAscending(rec().Seq));
    EXPECT_FALSE(vm->GetFieldAscending(rec().Id));
    std::int32_t notInTheView = 0;
    EXPECT_TRUE(vm->GetFieldAscending(notInTheView));
}

TEST_F(ViewManagerTest, KillReleasesOrdersAndLeavesAGivenQueue) {
    SortOrderQueue queue;
    start(&queue);
    EXPECT_FALSE(vm->DisposeOrder);
    vm->AddSortOrder(table->key(1));
    std::int32_t group = 5, applied = 5;
    current().RangeList->AddPair(group, applied);
    vm->SetFilter("TST:Group = 5");
    vm->Kill();
    ASSERT_EQ(queue.Records(), 1);
    SortOrder& order = *queue.Get(1);
    EXPECT_FALSE(order.Filter);
    EXPECT_FALSE(order.RangeList);
    EXPECT_EQ(order.Order, "");
    EXPECT_TRUE(order.FreeElement.isNull());
    EXPECT_EQ(vm->Order, nullptr);
}

}  // namespace
