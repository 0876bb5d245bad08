#pragma once
// A context menu kept as named items: shows it and acts on the choice (posts
// an item's event, often mimicking a button) or floats it as a toolbox of
// buttons. Owns its items and toolbox; borrows the owner window. GUI thread.
//
// The toolbox is a modeless window on the owner's thread, taken event by
// event while the owner's loop goes on; its buttons post as menu choices do.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "window/PopupItem.h"

class INIClass;
class PopupToolbox;

namespace rt {
class Window;
struct WindowEvent;
}  // namespace rt

class PopupClass {
  public:
    PopupClass();
    ~PopupClass();
    PopupClass(const PopupClass&) = delete;
    PopupClass& operator=(const PopupClass&) = delete;

    // window: the one whose controls items act on; null = the newest window
    // open when it is first needed.
    void Init(rt::Window* window = nullptr);
    void Kill();

    std::string AddItem(const std::string& text);
    std::string AddItem(const std::string& text, const std::string& name);
    std::string AddItem(const std::string& text, const std::string& name,
                        const std::string& precedingItem, int level);
    // Inserts after row position (0 = after the last); level 0 = that row's.
    std::string SetItem(int position, int level, const std::string& name, const std::string& text);
    void AddMenu(const std::string& menuText, int position);
    void AddSubMenu(const std::string& text, const std::string& menuText,
                    const std::string& precedingItem);
    void AddSubMenu(const std::string& menuText, const std::string& precedingItem);
    std::string AddItemEvent(const std::string& name, int event, int control);
    // Choosing the item is pressing key on control: an alert-key event that
    // carries it. REQUIRES: key is alerted on control.
    std::string AddItemKey(const std::string& name, int key, int control);
    // REQUIRES: control is a button.
    std::string AddItemMimic(const std::string& name, int control, const std::string& text = {});
    void DeleteItem(const std::string& name);
    void SetItemEnable(const std::string& name, bool enable);
    void SetIcon(const std::string& name, const std::string& icon);
    void SetToolbox(const std::string& name, bool on);
    // mode 0: all rows; mode 1: rows that open no deeper than the row before.
    int GetItems(int mode) const;
    // The number-th row a person can choose (1-based); "" when none.
    std::string GetName(int number) const;
    std::string GetUniqueName(const std::string& text) const;

    std::string GetMenuText();
    // Shows the menu at (x, y) in dialog units (0, 0: at the mouse) and acts
    // on the choice; answers the chosen item's name, "" when dismissed.
    std::string Ask(int x = 0, int y = 0);
    int ExecutePopup(const std::string& menu, int x, int y);
    std::string GetLastSelection() const { return LastSelection; }
    void CheckMimics();

    void Toolbox(const std::string& title);
    void AskToolbox(const std::string& title);
    void ResetToolbox();

    int ClearKeyCode = 0;
    std::string LastSelection;
    int LastNumberSelection = 0;
    std::unique_ptr<std::vector<PopupItem>> PopupItems;
    std::function<std::string(const std::string&)> Translator;
    INIClass* IniMgr = nullptr;  // borrowed; kept for the owner, not used here
    int InToolbox = 0;
    int MyThread = 0;
    rt::Window* ParentWindow = nullptr;  // borrowed while the toolbox is open
    rt::Window* ThisWindow = nullptr;    // the toolbox window while it is open

  private:
    rt::Window* Target() const;
    // Row index (0-based) of name, or -1.
    int Find(const std::string& name) const;
    int InsertRow(int position, int level, const std::string& name, const std::string& text);
    bool IsTitle(size_t row) const;
    bool IsChoosable(size_t row, bool onToolbox) const;
    std::string NameOf(int number, bool onToolbox) const;
    std::string RowText(size_t row, bool icons);
    void Refresh(PopupItem& item);
    // Records the chosen number, posts the item's event; answers its name.
    std::string TakeChoice(int number, bool fromToolbox);
    void TakeToolboxEvent(const rt::WindowEvent& event);
    void EndToolbox();
    void SetUntooledControls(bool enable);

    rt::Window* window_ = nullptr;
    std::unique_ptr<PopupToolbox> toolbox_;
};
