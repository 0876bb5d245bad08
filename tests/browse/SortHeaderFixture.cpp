#include "tests/browse/SortHeaderFixture.h"

#include <algorithm>
#include <sstream>

#include "runtime/controls/Prop.h"
#include "runtime/text/TextCase.h"

namespace browsetest {

void TestSortHeader::QueueResorted(const std::string& order) {
    orders.push_back(order);
    if (order.empty()) {
        browse_.RestoreSort();
        browse_.ResetSort(true);
    } else {
        browse_.ReplaceSort(order, nullptr, nullptr);
    }
}

bool TestSortHeader::ValidField(std::string_view name) {
    return !refused.count(std::string(name)) && SortHeaderClassType::ValidField(name);
}

bool TestSortHeader::AllowDescending(std::string_view name) {
    return !ascendingOnly.count(std::string(name));
}

SortBrowseWindow::SortBrowseWindow(datatest::ItemTable& table, RelationManager& relation,
                                   ErrorClass& errors, SortSettings sort)
    : BrowseWindow(table, relation, errors, BrowseSettings{0, true, false, {}, 120}, {}),
      header(browse),
      sort_(std::move(sort)) {}

ErrorLevel SortBrowseWindow::Init() {
    if (ErrorLevel level = BrowseWindow::Init()) return level;
    header.Init(*window, queue, List, sort_.iniFile, sort_.procedure, &view,
                &browse.View->primary().definition().keys()[2]);
    if (sort_.configure) sort_.configure(header);
    header.SetAlerts();
    return LevelBenign;
}

ErrorLevel SortBrowseWindow::Kill() {
    header.Kill();
    return BrowseWindow::Kill();
}

ErrorLevel SortBrowseWindow::TakeEvent() {
    if (header.TakeEvents()) return LevelNotify;
    return BrowseWindow::TakeEvent();
}

void SortBrowseWindow::SetAlerts() {
    BrowseWindow::SetAlerts();
    header.SetAlerts();
}

std::vector<std::string> SortHeaderTest::runSorted(rt::Robot& robot, SortSettings sort) {
    robot.start();
    SortBrowseWindow window(*table, relation, errors, std::move(sort));
    sorted = &window;
    live = &window;
    window.Run();
    live = nullptr;
    sorted = nullptr;
    EXPECT_FALSE(robot.failed()) << robot.failure();
    return window.header.orders;
}

std::vector<Item> SortHeaderTest::items() {
    std::vector<Item> all;
    for (const std::string& line : sql("SELECT Id, \"Group\", Title FROM Items")) {
        std::istringstream in(line);
        Item item;
        std::string field;
        std::getline(in, field, '|');
        item.id = std::stoi(field);
        std::getline(in, field, '|');
        item.group = std::stoi(field);
        std::getline(in, item.title);
        all.push_back(item);
    }
    return all;
}

std::vector<int> SortHeaderTest::sortedIds(
    const std::function<bool(const Item&, const Item&)>& less) {
    std::vector<Item> all = items();
    std::sort(all.begin(), all.end(), [&](const Item& a, const Item& b) {
        if (less(a, b)) return true;
        if (less(b, a)) return false;
        return a.id < b.id;
    });
    std::vector<int> ids;
    for (const Item& item : all) ids.push_back(item.id);
    return ids;
}

std::string SortHeaderTest::header(rt::Window& w, int column) {
    return w.property(List, rt::Prop::HeaderText, column).text();
}

bool SortHeaderTest::isRunOf(const std::vector<int>& shown, const std::vector<int>& all) {
    if (shown.empty()) return false;
    auto start = std::find(all.begin(), all.end(), shown.front());
    if (start == all.end() || all.end() - start < static_cast<long>(shown.size())) return false;
    return std::equal(shown.begin(), shown.end(), start);
}

}  // namespace browsetest
