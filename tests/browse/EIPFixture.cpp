#include "tests/browse/EIPFixture.h"

#include <algorithm>

#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/store/KeyedTransaction.h"
#include "tests/support/SqlShell.h"

namespace eiptest {

namespace {

constexpr const char* kListFormat =
    "80L(2)|M~Title~@s20@0R(2)|M~Seq~@n6@30R(2)|M~Group~@n4@40R(2)|M~Id~@n6@";

}  // namespace

bool CountingManager::FunctionCalled(int op, const rt::FileCallParams& params, std::string& errCode,
                                     std::string& errMsg) {
    if (op == rt::OpAdd || op == rt::OpAppend || op == rt::OpPut || op == rt::OpDelete) ++writes;
    return TestManager::FunctionCalled(op, params, errCode, errMsg);
}

EIPWindow::EIPWindow(datatest::ItemTable& table, RelationManager& relation, ErrorClass& errors,
                     EIPSettings settings)
    : view(*table.file),
      queue({"TST:Title", "TST:Seq", "TST:Group", "TST:Id", "Position"},
            [](const ItemRow& r) {
                return PageQueue::Row{rt::Value(r.Title.clipped()), rt::Value(r.Seq),
                                      rt::Value(r.Group), rt::Value(r.Id)};
            }),
      table_(table),
      relation_(relation),
      errors_(errors),
      settings_(settings) {}

EIPWindow::~EIPWindow() {
    Kill();
}

rt::WindowDeclaration EIPWindow::declaration() const {
    rt::WindowDeclaration d;
    d.caption = kCaption;
    d.width = 240;
    d.height = settings_.listHeight + 10;
    d.controls = {
        rt::control(rt::ControlKind::List, "Items")
            .at(4, 4, 180, settings_.listHeight)
            .listFormat(kListFormat)
            .with(rt::FlagVScroll | rt::FlagPageLoaded),
        rt::control(rt::ControlKind::Button, "&Insert").at(190, 4, 44, 14),
        rt::control(rt::ControlKind::Button, "&Change").at(190, 20, 44, 14),
        rt::control(rt::ControlKind::Button, "&Delete").at(190, 36, 44, 14),
        rt::control(rt::ControlKind::Button, "C&lose").at(190, 52, 44, 14),
    };
    return d;
}

ErrorLevel EIPWindow::Init() {
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
    browse.AddSortOrder(nullptr, table_.key(0));
    browse.AddField(r.Title, queue.Buffer.Title);
    browse.AddField(r.Seq, queue.Buffer.Seq);
    browse.AddField(r.Group, queue.Buffer.Group);
    browse.AddField(r.Id, queue.Buffer.Id);
    browse.InsertControl = InsertButton;
    browse.ChangeControl = ChangeButton;
    browse.DeleteControl = DeleteButton;
    browse.AskProcedure = 0;
    browse.ArrowAction = settings_.arrow;
    browse.EnterAction = settings_.enter;
    browse.TabAction = settings_.tab;
    browse.FocusLossAction = settings_.focusLoss;
    browse.DeleteAction = settings_.deleteAction;
    eip.Insert = settings_.insert;
    browse.EIP = &eip;
    browse.CheckEIP();
    titleEditor.Req = settings_.titleRequired;
    eip.AddControl(&titleEditor, TitleColumn, false);
    eip.AddControl(nullptr, IdColumn, false);
    AddItem(CloseButton, ResponseCancelled);
    SetAlerts();
    return LevelBenign;
}

ErrorLevel EIPWindow::Kill() {
    ErrorLevel level = WindowManager::Kill();
    if (level != LevelBenign) return level;
    if (FilesOpened) relation_.Close();
    FilesOpened = false;
    return level;
}

void EIPTest::SetUp() {
    DataTest::SetUp();
    GlobalRequest = GlobalResponse = 0;
    VCRRequest = VcrNone;
    table = std::make_unique<datatest::ItemTable>();
    manager = std::make_unique<CountingManager>(*table, errors);
    manager->AddKey(table->key(0), "KeyId", 1);
    manager->AddKey(table->key(1), "GroupSeq");
    manager->AddKey(table->key(2), "Title key");
    manager->AddKey(table->key(3), "GroupDown");
    relation.Init(*manager, false);
    manager->Open();
}

void EIPTest::TearDown() {
    manager->Close();
    relation.Kill();
    manager.reset();
    table.reset();
    DataTest::TearDown();
}

void EIPTest::addItems(int count) {
    ASSERT_EQ(manager->UseFile(2), LevelBenign);
    ASSERT_EQ(rt::beginTransaction({table->file.get()}, 5), 0);
    for (int i = 0; i < count; ++i) {
        manager->PrimeRecord();
        int id = table->TST.Id;
        table->TST.Title = "Item " + std::to_string(id);
        table->TST.Group = id % 7;
        table->TST.Seq = id;
        table->TST.Notes = "Note " + std::to_string(id);
        ASSERT_EQ(manager->Insert(), LevelBenign);
    }
    ASSERT_EQ(rt::commitTransaction(), 0);
    manager->writes = 0;
}

void EIPTest::run(rt::Robot& robot, EIPSettings settings) {
    robot.screenshotFolder(testsupport::outputDir().string());
    robot.start();
    EIPWindow window(*table, relation, errors, settings);
    live = &window;
    window.Run();
    live = nullptr;
    EXPECT_FALSE(robot.failed()) << robot.failure();
}

std::vector<std::string> EIPTest::sql(const std::string& query) {
    return testsupport::sqlShell(dir.file("Items.lkdb"), "testsecret", query + ";");
}

std::vector<std::string> EIPTest::items() {
    return sql("SELECT Id, Title, \"Group\", Seq, Notes FROM Items ORDER BY Id");
}

std::vector<int> EIPTest::shownIds(rt::Window& w) {
    std::vector<int> ids;
    for (int row = 1; row <= w.listRowCount(List); ++row)
        ids.push_back(std::stoi("0" + w.listCell(List, row, IdColumn)));
    return ids;
}

int EIPTest::highlightedId(rt::Window& w) {
    int row = static_cast<int>(w.property(List, rt::Prop::Selected).number());
    return row > 0 ? std::stoi("0" + w.listCell(List, row, IdColumn)) : 0;
}

int EIPTest::editedColumn(rt::Window& w) {
    for (int column = TitleColumn; column <= IdColumn; ++column)
        if (w.property(List, rt::Prop::Edit, column).number() != 0) return column;
    return 0;
}

int EIPTest::editor(rt::Window& w) {
    int column = editedColumn(w);
    return column ? static_cast<int>(w.property(List, rt::Prop::Edit, column).number()) : 0;
}

bool EIPTest::editing(rt::Window& w, int column, int id) {
    int control = editor(w);
    return editedColumn(w) == column && highlightedId(w) == id && control != 0 &&
           w.property(control, rt::Prop::Visible).number() != 0 && w.focus() == control;
}

int EIPTest::pageSize(rt::Window& w) {
    return static_cast<int>(w.property(List, rt::Prop::Items).number());
}

bool EIPTest::done(rt::Window& w) {
    return editedColumn(w) == 0;
}

void EIPTest::choose(rt::Window& w, int row) {
    w.setProperty(List, rt::Prop::Selected, row);
    w.post(rt::EventNewSelection, List);
}

void EIPTest::open(rt::Robot& robot, int count) {
    addItems(count);
    robot.waitForWindow(kCaption).check("the first rows are shown", [count](rt::Window& w) {
        std::vector<int> ids = shownIds(w);
        return static_cast<int>(ids.size()) == std::min(count, pageSize(w)) &&
               (count == 0 || ids.front() == 1);
    });
}

void EIPTest::change(rt::Robot& robot, int row, const std::string& text) {
    robot.run("highlight row " + std::to_string(row), [row](rt::Window& w) { choose(w, row); })
        .check("highlighted", [row](rt::Window& w) { return highlightedId(w) == row; })
        .press(ChangeButton)
        .check("the title is edited",
               [row](rt::Window& w) { return editing(w, TitleColumn, row); });
    if (!text.empty()) robot.type(0, text);
}

}  // namespace eiptest
