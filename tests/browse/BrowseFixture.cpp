#include "tests/browse/BrowseFixture.h"

#include <sstream>

#include "runtime/controls/Prop.h"
#include "runtime/store/KeyedTransaction.h"

namespace browsetest {

namespace {

constexpr const char* kListFormat = "80L(2)|M~Title~@s20@40R(2)|M~Id~@n6@30R(2)|M~Group~@n4@";

}  // namespace

bool BrowseItemManager::FunctionCalled(int op, const rt::FileCallParams& params,
                                       std::string& errCode, std::string& errMsg) {
    bool read = op == rt::OpNext || op == rt::OpPrevious;
    if (read && params.viaView && failReadsAfter >= 0) {
        if (failReadsAfter == 0) {
            errCode = "90";
            errMsg = "the disk went away";
            return false;
        }
        --failReadsAfter;
    }
    return TestManager::FunctionCalled(op, params, errCode, errMsg);
}

BrowseWindow::BrowseWindow(datatest::ItemTable& table, RelationManager& relation,
                           ErrorClass& errors, BrowseSettings settings, UpdateProcedure update)
    : view(*table.file),
      queue({"TST:Title", "TST:Id", "TST:Group", "Position"},
            [](const ItemRow& r) {
                return PageQueue::Row{rt::Value(r.Title.clipped()), rt::Value(r.Id),
                                      rt::Value(r.Group)};
            }),
      table_(table),
      relation_(relation),
      errors_(errors),
      settings_(std::move(settings)),
      update_(std::move(update)) {}

BrowseWindow::~BrowseWindow() {
    Kill();
}

rt::WindowDeclaration BrowseWindow::declaration() const {
    rt::WindowDeclaration d;
    d.caption = kCaption;
    d.width = 240;
    d.height = settings_.listHeight + 40;
    d.resizable = true;
    d.controls = {
        rt::control(rt::ControlKind::List, "Items")
            .at(4, 4, 180, settings_.listHeight)
            .listFormat(kListFormat)
            .with(settings_.listScrolls ? rt::FlagVScroll : rt::FlagVScroll | rt::FlagPageLoaded),
        rt::control(rt::ControlKind::Button, "&Insert").at(190, 4, 44, 14),
        rt::control(rt::ControlKind::Button, "&Change").at(190, 20, 44, 14),
        rt::control(rt::ControlKind::Button, "&Delete").at(190, 36, 44, 14),
        rt::control(rt::ControlKind::Entry)
            .at(4, settings_.listHeight + 10, 60, 12)
            .bind(table_.TST.Title, "@s20")
            .tipText("Item title"),
        rt::control(rt::ControlKind::Button, "&Select").at(190, 52, 44, 14),
        rt::control(rt::ControlKind::Button, "&Print").at(190, 68, 44, 14),
        rt::control(rt::ControlKind::Button, "&Toolbox").at(190, 84, 44, 14),
    };
    return d;
}

ErrorLevel BrowseWindow::Init() {
    Request = GlobalRequest;
    if (ErrorLevel level = WindowManager::Init()) return level;
    FirstField = List;
    Errors = &errors_;
    GlobalRequest = GlobalResponse = 0;
    relation_.Open();
    FilesOpened = true;
    datatest::ItemRecord& r = table_.TST;
    browse.Init(List, queue.Buffer.Position, view, queue, relation_, *this);
    window = std::make_unique<rt::Window>(declaration());
    Open(*window);
    if (settings_.step) step.Init(0);
    browse.AddSortOrder(settings_.step ? &step : nullptr, table_.key(settings_.key));
    if (!settings_.filter.empty()) browse.SetFilter(settings_.filter);
    if (settings_.locator) {
        browse.AddLocator(locator);
        locator.Init(0, browse.GetFirstSortField(), true, browse);
    }
    browse.AddField(r.Title, queue.Buffer.Title);
    browse.AddField(r.Id, queue.Buffer.Id);
    browse.AddField(r.Group, queue.Buffer.Group);
    browse.InsertControl = InsertButton;
    browse.ChangeControl = ChangeButton;
    browse.DeleteControl = DeleteButton;
    browse.SelectControl = SelectButton;
    browse.HideSelect = true;
    browse.AskProcedure = 1;
    if (settings_.print) {
        browse.PrintControl = PrintButton;
        browse.PrintProcedure = kPrintProcedure;
    }
    if (settings_.toolbox) browse.ToolControl = ToolboxButton;
    browse.FileLoaded = settings_.fileLoaded;
    SetAlerts();
    return LevelBenign;
}

ErrorLevel BrowseWindow::Kill() {
    ErrorLevel level = WindowManager::Kill();
    if (level != LevelBenign) return level;
    if (FilesOpened) relation_.Close();
    FilesOpened = false;
    return level;
}

std::uint8_t BrowseWindow::Run(int number, std::uint8_t request) {
    requests.push_back(request);
    procedures.push_back(number);
    return update_ ? update_(request) : std::uint8_t{ResponseCancelled};
}

void BrowseTest::SetUp() {
    DataTest::SetUp();
    GlobalRequest = GlobalResponse = 0;
    VCRRequest = VcrNone;
    table = std::make_unique<datatest::ItemTable>();
    manager = std::make_unique<BrowseItemManager>(*table, errors);
    manager->AddKey(table->key(0), "KeyId", 1);
    manager->AddKey(table->key(1), "GroupSeq");
    manager->AddKey(table->key(2), "Title key");
    manager->AddKey(table->key(3), "GroupDown");
    relation.Init(*manager, false);
    manager->Open();
}

void BrowseTest::TearDown() {
    manager->Close();
    relation.Kill();
    manager.reset();
    table.reset();
    DataTest::TearDown();
}

void BrowseTest::addItems(int count, const std::function<std::string(int)>& title,
                          const std::function<int(int)>& group) {
    ASSERT_EQ(manager->UseFile(2), LevelBenign);
    ASSERT_EQ(rt::beginTransaction({table->file.get()}, 5), 0);
    for (int i = 0; i < count; ++i) {
        manager->PrimeRecord();
        int id = table->TST.Id;
        table->TST.Title = title ? title(id) : "Item " + std::to_string(id);
        table->TST.Group = group ? group(id) : id % 7;
        table->TST.Seq = id;
        table->TST.Notes = "notes of " + std::to_string(id);
        ASSERT_EQ(manager->Insert(), LevelBenign);
    }
    ASSERT_EQ(rt::commitTransaction(), 0);
}

void BrowseTest::prepare(rt::Robot& robot) {
    robot.screenshotFolder(testsupport::outputDir().string());
}

void BrowseTest::runBrowse(rt::Robot& robot, BrowseSettings settings, UpdateProcedure update) {
    robot.start();
    BrowseWindow window(*table, relation, errors, std::move(settings), std::move(update));
    live = &window;
    window.Run();
    live = nullptr;
    EXPECT_FALSE(robot.failed()) << robot.failure();
}

std::vector<std::string> BrowseTest::sql(const std::string& query) {
    return testsupport::sqlShell(dir.file("Items.lkdb"), "testsecret", query + ";");
}

std::vector<int> BrowseTest::sqlIds(const std::string& query) {
    std::vector<int> ids;
    for (const std::string& line : sql(query)) ids.push_back(std::stoi(line));
    return ids;
}

std::vector<int> BrowseTest::shownIds(rt::Window& w) {
    std::vector<int> ids;
    for (int row = 1; row <= w.listRowCount(List); ++row)
        ids.push_back(std::stoi("0" + w.listCell(List, row, 2)));
    return ids;
}

int BrowseTest::highlighted(rt::Window& w) {
    int row = static_cast<int>(w.property(List, rt::Prop::Selected).number());
    return row > 0 ? std::stoi("0" + w.listCell(List, row, 2)) : 0;
}

int BrowseTest::rowsShown(rt::Window& w) {
    return w.listRowCount(List);
}

int BrowseTest::pageSize(rt::Window& w) {
    return static_cast<int>(w.property(List, rt::Prop::Items).number());
}

}  // namespace browsetest
