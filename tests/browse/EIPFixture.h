#pragma once
// A window whose browse has no update procedure, so its rows are inserted,
// changed and deleted in the list itself, over the test item table in a real
// data file: Title, a zero-width Seq column, Group and the auto-numbered Id,
// which is shown but not edited. What the window wrote is checked against
// the file as the cipher's own shell reads it, and the file's call-backs
// count the writes that reached the storage layer.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "browse/BrowseClass.h"
#include "browse/BrowseEIPManager.h"
#include "browse/EditEntryClass.h"
#include "browse/PageQueue.h"
#include "data/RelationManager.h"
#include "runtime/gui/Window.h"
#include "runtime/robot/Robot.h"
#include "runtime/store/View.h"
#include "tests/data/DataTestFixture.h"
#include "window/WindowManager.h"

namespace eiptest {

// Control numbers of the window.
enum : int {
    List = 1,
    InsertButton = 2,
    ChangeButton = 3,
    DeleteButton = 4,
    CloseButton = 5,
};
// Columns of the list.
enum : int {
    TitleColumn = 1,
    SeqColumn = 2,  // zero width
    GroupColumn = 3,
    IdColumn = 4,  // not edited
};

inline const std::string kCaption = "Items In Place";

struct ItemRow {
    rt::String<20> Title;
    std::int32_t Seq = 0;
    std::int32_t Group = 0;
    std::int32_t Id = 0;
    rt::String<1024> Position;
};

struct EIPSettings {
    std::uint8_t arrow = EIPActionDefault;
    std::uint8_t enter = EIPActionDefault;
    std::uint8_t tab = EIPActionDefault;
    std::uint8_t focusLoss = EIPActionDefault;
    std::uint8_t deleteAction = EIPDeleteNoQuestion;
    std::uint8_t insert = EIPInsertAfter;
    bool titleRequired = false;
    int listHeight = 120;  // dialog units
};

// Counts the adds, puts and deletes that reach the file.
class CountingManager : public datatest::TestManager {
  public:
    using TestManager::TestManager;
    bool FunctionCalled(int op, const rt::FileCallParams& params, std::string& errCode,
                        std::string& errMsg) override;

    int writes = 0;
};

class EIPWindow : public WindowManager {
  public:
    EIPWindow(datatest::ItemTable& table, RelationManager& relation, ErrorClass& errors,
              EIPSettings settings);
    ~EIPWindow() override;

    ErrorLevel Init() override;
    ErrorLevel Kill() override;

    rt::View view;
    RecordPageQueue<ItemRow> queue;
    EditEntryClass titleEditor;
    BrowseEIPManager eip;
    BrowseClass browse;
    std::unique_ptr<rt::Window> window;

  private:
    rt::WindowDeclaration declaration() const;

    datatest::ItemTable& table_;
    RelationManager& relation_;
    ErrorClass& errors_;
    EIPSettings settings_;
};

class EIPTest : public datatest::DataTest {
  public:
    // What the window shows: the list's Id column top to bottom, the Id of
    // the highlighted row, the column an editor lies over (0 = none) and
    // that editor's control.
    static std::vector<int> shownIds(rt::Window& w);
    static int highlightedId(rt::Window& w);
    static int editedColumn(rt::Window& w);
    static int editor(rt::Window& w);
    // The editor lies over column of the highlighted row, which shows id,
    // and has the focus.
    static bool editing(rt::Window& w, int column, int id);
    static int pageSize(rt::Window& w);
    // No editor lies over a cell.
    static bool done(rt::Window& w);
    // Highlights row of the list the way a click does.
    static void choose(rt::Window& w, int row);

  protected:
    void SetUp() override;
    void TearDown() override;

    // Items 1..count titled "Item <n>", in group n % 7, noted "Note <n>".
    void addItems(int count);
    // Adds count items; the robot waits for the window showing the first.
    void open(rt::Robot& robot, int count = 5);
    // The robot highlights row, presses Change, waits for the title to be
    // edited and types text into it (nothing when empty).
    void change(rt::Robot& robot, int row, const std::string& text = {});
    // Runs the window with the robot's script alongside; a failed script
    // is a test failure.
    void run(rt::Robot& robot, EIPSettings settings = {});

    // The shell's answer, one line per row.
    std::vector<std::string> sql(const std::string& query);
    // "Id|Title|Group|Seq|Notes" of every item in Id order.
    std::vector<std::string> items();

    std::unique_ptr<datatest::ItemTable> table;
    std::unique_ptr<CountingManager> manager;
    RelationManager relation;
    EIPWindow* live = nullptr;  // while run() runs
};

}  // namespace eiptest
