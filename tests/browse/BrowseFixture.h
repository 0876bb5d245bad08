#pragma once
// A window with a page-loaded list browsing the test item table in a real
// data file, the way the program's lists are built: Insert, Change and
// Delete buttons, an update procedure the test supplies, and the order's
// step object and step locator on the item number. The rows a list shows
// are checked against the file as the cipher's own shell reads it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browse/BrowseClass.h"
#include "browse/PageQueue.h"
#include "browse/StepLocatorClass.h"
#include "browse/StepLongClass.h"
#include "data/RelationManager.h"
#include "runtime/gui/Window.h"
#include "runtime/robot/Robot.h"
#include "runtime/store/View.h"
#include "tests/data/DataTestFixture.h"
#include "tests/support/SqlShell.h"
#include "window/WindowManager.h"

namespace browsetest {

// Control numbers of the browse window.
enum : int {
    List = 1,
    InsertButton = 2,
    ChangeButton = 3,
    DeleteButton = 4,
    Locator = 5,
    SelectButton = 6,
    PrintButton = 7,
    ToolboxButton = 8,
};

// The procedure number the browse runs for Print.
constexpr int kPrintProcedure = 2;

inline const std::string kCaption = "Item Browse";

struct ItemRow {
    rt::String<20> Title;
    std::int32_t Id = 0;
    std::int32_t Group = 0;
    rt::String<1024> Position;
};

// Runs a request against the record in the buffer: what the browse's
// update procedure does. Answers the response.
using UpdateProcedure = std::function<std::uint8_t(std::uint8_t request)>;

struct BrowseSettings {
    int key = 0;               // the item table's key the order follows
    bool step = true;          // a step object on the first component
    bool locator = true;       // a step locator on the first component
    std::string filter;        // the view's filter
    int listHeight = 120;      // dialog units
    bool print = false;        // the Print button runs kPrintProcedure
    bool toolbox = false;      // the Toolbox button floats the action menu
    bool fileLoaded = false;   // the whole record set in the queue
    bool listScrolls = false;  // the list scrolls itself rather than reporting scrolls
};

// A file manager whose reads through the view can be made to fail.
class BrowseItemManager : public datatest::TestManager {
  public:
    using TestManager::TestManager;
    bool FunctionCalled(int op, const rt::FileCallParams& params, std::string& errCode,
                        std::string& errMsg) override;

    int failReadsAfter = -1;  // reads left before every read fails; -1 never
};

class BrowseWindow : public WindowManager {
  public:
    BrowseWindow(datatest::ItemTable& table, RelationManager& relation, ErrorClass& errors,
                 BrowseSettings settings, UpdateProcedure update);
    ~BrowseWindow() override;

    ErrorLevel Init() override;
    ErrorLevel Kill() override;
    std::uint8_t Run(int number, std::uint8_t request) override;
    using WindowManager::Run;

    rt::View view;
    RecordPageQueue<ItemRow> queue;
    StepLongClass step;
    StepLocatorClass locator;
    BrowseClass browse;
    std::unique_ptr<rt::Window> window;
    std::vector<std::uint8_t> requests;  // every request the update procedure got
    std::vector<int> procedures;         // the procedure number of each

  private:
    rt::WindowDeclaration declaration() const;

    datatest::ItemTable& table_;
    RelationManager& relation_;
    ErrorClass& errors_;
    BrowseSettings settings_;
    UpdateProcedure update_;
};

class BrowseTest : public datatest::DataTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Adds items numbered from the next number on, titled by title(i) and
    // grouped by group(i), in one transaction.
    void addItems(int count, const std::function<std::string(int)>& title = {},
                  const std::function<int(int)>& group = {});
    // A robot that writes its screenshots where tests leave artefacts.
    static void prepare(rt::Robot& robot);
    // Runs the browse window with the robot's script alongside; a failed
    // script is a test failure.
    void runBrowse(rt::Robot& robot, BrowseSettings settings = {}, UpdateProcedure update = {});

    // The shell's answer to a query of the item file, one line per row.
    std::vector<std::string> sql(const std::string& query);
    // The item numbers a query answers.
    std::vector<int> sqlIds(const std::string& query);
    // The item numbers the list shows, top to bottom (the hidden id column).
    static std::vector<int> shownIds(rt::Window& w);
    static int highlighted(rt::Window& w);
    static int rowsShown(rt::Window& w);
    // The rows the list has room for.
    static int pageSize(rt::Window& w);

    std::unique_ptr<datatest::ItemTable> table;
    std::unique_ptr<BrowseItemManager> manager;
    RelationManager relation;
    BrowseWindow* live = nullptr;  // while runBrowse runs
};

}  // namespace browsetest
