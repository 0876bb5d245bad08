#pragma once
// The item browse window with a header sort on its list, wired the way the
// program's main window wires its own: every event goes to the header sort
// first, and the order it hands over replaces the browse's order (an empty
// one gives the browse's own back). The key whose components complete every
// order is the item table's case-folded unique title. What a list shows is
// checked against the item file as the cipher's own shell reads it, sorted
// in the test.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "browse/SortHeaderClassType.h"
#include "tests/browse/BrowseFixture.h"

namespace browsetest {

class TestSortHeader : public SortHeaderClassType {
  public:
    explicit TestSortHeader(BrowseClass& browse) : browse_(browse) {}
    void QueueResorted(const std::string& order) override;
    bool ValidField(std::string_view name) override;
    bool AllowDescending(std::string_view name) override;

    std::vector<std::string> orders;      // every order handed over
    std::set<std::string> refused;        // names ValidField refuses
    std::set<std::string> ascendingOnly;  // names AllowDescending refuses

  private:
    BrowseClass& browse_;
};

// Where the header sort keeps its sort ("" for nowhere) and what the test
// sets on it after Init.
struct SortSettings {
    std::string iniFile;
    std::string procedure;
    std::function<void(TestSortHeader&)> configure;
};

class SortBrowseWindow : public BrowseWindow {
  public:
    SortBrowseWindow(datatest::ItemTable& table, RelationManager& relation, ErrorClass& errors,
                     SortSettings sort);
    ErrorLevel Init() override;
    ErrorLevel Kill() override;
    ErrorLevel TakeEvent() override;
    void SetAlerts() override;

    TestSortHeader header;

  private:
    SortSettings sort_;
};

// One item as the shell reads it.
struct Item {
    int id = 0;
    int group = 0;
    std::string title;
};

class SortHeaderTest : public BrowseTest {
  protected:
    // Runs the window with the robot's script alongside; answers the orders
    // the header sort handed over.
    std::vector<std::string> runSorted(rt::Robot& robot, SortSettings sort = {});
    // Every item, as the shell reads them.
    std::vector<Item> items();
    // The item numbers in the order less gives, ties by item number.
    std::vector<int> sortedIds(const std::function<bool(const Item&, const Item&)>& less);

    static std::string header(rt::Window& w, int column);
    // Whether shown is a run of consecutive entries of all.
    static bool isRunOf(const std::vector<int>& shown, const std::vector<int>& all);

    SortBrowseWindow* sorted = nullptr;  // while runSorted runs
};

// The list's columns.
enum : int { TitleColumn = 1, IdColumn = 2, GroupColumn = 3 };

}  // namespace browsetest
