#pragma once
// A small record form over the test item table in a real data file, the way
// the program's forms are built on the window manager: title (required),
// group, notes, OK, Cancel and Save, the ditto key on title and group. The
// file manager can be told to fail its next updates or deletes.

#include <filesystem>
#include <memory>
#include <string>

#include "data/RelationManager.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Window.h"
#include "tests/data/DataTestFixture.h"
#include "tests/support/TempDir.h"
#include "window/ToolbarClass.h"
#include "window/WindowManager.h"

namespace formtest {

// Control numbers of the form.
enum : int {
    TitleEntry = 2,
    GroupEntry = 4,
    NotesText = 6,
    OkButton = 7,
    CancelButton = 8,
    SaveButton = 9,
};

constexpr int CtrlH = rt::keyFor('H') + rt::KeyCtrl;

class ItemManager : public datatest::TestManager {
  public:
    using TestManager::TestManager;
    ErrorLevel TryUpdate() override {
        ++updates;
        if (failUpdates > 0) {
            --failUpdates;
            SetError(ErrPutFailed);
            return LevelNotify;
        }
        return TestManager::TryUpdate();
    }
    ErrorLevel DeleteRecord(bool query) override {
        if (failDeletes > 0) {
            --failDeletes;
            SetError(ErrDeleteFailed);
            return LevelNotify;
        }
        return TestManager::DeleteRecord(query);
    }

    int updates = 0;
    int failUpdates = 0;
    int failDeletes = 0;
};

// What each test sets before the form runs.
struct FormSettings {
    bool toolbar = false;
    std::uint8_t insertAction = InsertActionClose;
    std::uint8_t deleteAction = 2;
    std::uint8_t cancelAction = CancelActionSave | CancelActionAsk;
    bool disableCancelButton = false;
};

class ItemForm : public WindowManager {
  public:
    ItemForm(datatest::ItemTable& table, RelationManager& relation, ErrorClass& errors,
             FormSettings settings)
        : table_(table), relation_(relation), errors_(errors), settings_(settings) {
        datatest::ItemRecord& r = table.TST;
        live_ = {r.Id, r.Group, r.Seq, r.Title};
        saved_ = {history_.Id, history_.Group, history_.Seq, history_.Title};
    }

    ErrorLevel Init() override {
        Request = GlobalRequest;
        if (ErrorLevel level = WindowManager::Init()) return level;
        FirstField = TitleEntry;
        Errors = &errors_;
        if (settings_.toolbar) AddItem(toolbar_);
        GlobalRequest = GlobalResponse = 0;
        HistoryKey = CtrlH;
        AddHistoryFile(live_, saved_);
        AddHistoryField(GroupEntry, 2);
        AddHistoryField(TitleEntry, 4);
        AddItem(CancelButton, ResponseCancelled);
        relation_.Open();
        FilesOpened = true;
        Primary = &relation_;
        InsertAction = settings_.insertAction;
        DeleteAction = settings_.deleteAction;
        CancelAction = settings_.cancelAction;
        DisableCancelButton = settings_.disableCancelButton;
        OkControl = OkButton;
        SaveControl = SaveButton;
        if (ErrorLevel level = PrimeUpdate()) return level;
        window = std::make_unique<rt::Window>(declaration());
        Open(*window);
        SetAlerts();
        return LevelBenign;
    }

    ErrorLevel Kill() override {
        ErrorLevel level = WindowManager::Kill();
        if (level != LevelBenign) return level;
        if (FilesOpened) relation_.Close();
        GlobalResponse = Response;
        return level;
    }

    ErrorLevel TakeAccepted() override {
        ErrorLevel result = WindowManager::TakeAccepted();
        if (currentControl() == OkButton) window->update();
        return result;
    }

    std::unique_ptr<rt::Window> window;

  private:
    rt::WindowDeclaration declaration() {
        datatest::ItemRecord& r = table_.TST;
        rt::WindowDeclaration d;
        d.caption = "Item Form";
        d.width = 200;
        d.height = 110;
        d.statusZones = {-1};
        d.controls = {
            rt::control(rt::ControlKind::Prompt, "&Title:").at(8, 10, 40, 10),
            rt::control(rt::ControlKind::Entry)
                .at(52, 8, 140, 12)
                .bind(r.Title, "@s20")
                .requiredMessage("Please enter a title")
                .tipText("The item's title"),
            rt::control(rt::ControlKind::Prompt, "&Group:").at(8, 26, 40, 10),
            rt::control(rt::ControlKind::Entry).at(52, 24, 40, 12).bind(r.Group, "@n6"),
            rt::control(rt::ControlKind::Prompt, "&Notes:").at(8, 42, 40, 10),
            rt::control(rt::ControlKind::Text).at(52, 40, 140, 40).bind(r.Notes),
            rt::control(rt::ControlKind::Button, "&OK").at(52, 88, 44, 14).with(rt::FlagDefault),
            rt::control(rt::ControlKind::Button, "&Cancel").at(100, 88, 44, 14),
            rt::control(rt::ControlKind::Button, "&Save").at(148, 88, 44, 14),
        };
        return d;
    }

    datatest::ItemTable& table_;
    RelationManager& relation_;
    ErrorClass& errors_;
    FormSettings settings_;
    ToolbarClass toolbar_;
    datatest::ItemRecord history_;
    RecordFields live_, saved_;
};

class RecordFormTest : public datatest::DataTest {
  protected:
    void SetUp() override {
        DataTest::SetUp();
        GlobalRequest = GlobalResponse = 0;
        table = std::make_unique<datatest::ItemTable>();
        manager = std::make_unique<ItemManager>(*table, errors);
        manager->AddKey(table->key(0), "KeyId", 1);
        manager->AddKey(table->key(2), "Title key");
        relation.Init(*manager, false);
        // The caller's own hold on the table, as a browse keeps it open.
        manager->Open();
    }
    void TearDown() override {
        manager->Close();
        relation.Kill();
        manager.reset();
        table.reset();
        DataTest::TearDown();
    }

    // Runs the form with request; the robot must be started first.
    std::uint8_t runForm(std::uint8_t request, FormSettings settings = {}) {
        GlobalRequest = request;
        ItemForm form(*table, relation, errors, settings);
        std::uint8_t response = form.Run();
        formWasShown = form.window != nullptr;
        return response;
    }

    // Adds a record directly; answers its id.
    std::int32_t addItem(const std::string& title, std::int32_t group) {
        manager->PrimeRecord();
        table->TST.Title = title;
        table->TST.Group = group;
        EXPECT_EQ(manager->Insert(), LevelBenign);
        return table->TST.Id;
    }

    // Loads the record with that title into the buffer; false when missing.
    bool fetchByTitle(const std::string& title) {
        table->TST.Title = title;
        return manager->TryFetch(table->key(2)) == LevelBenign;
    }

    void primeNewRecord() { manager->PrimeRecord(); }

    std::string outputFolder() const { return testsupport::outputDir().string(); }

    std::unique_ptr<datatest::ItemTable> table;
    std::unique_ptr<ItemManager> manager;
    RelationManager relation;
    bool formWasShown = false;
};

}  // namespace formtest
