#include "window/PopupClass.h"

#include <cctype>

#include "runtime/gui/PopupMenu.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Assert.h"
#include "runtime/host/Thread.h"
#include "runtime/text/FixedText.h"
#include "window/PopupToolbox.h"

namespace {

// The runtime's menu syntax gives an item's icon as an attribute code; the
// second code carries the window's menu-icon setting, which our windows
// leave to the toolkit.
constexpr int kIconSettingAttribute = 31290;
constexpr size_t kMenuCapacity = 10000;
constexpr size_t kNameCapacity = 1025;
constexpr size_t kIconCapacity = 256;
constexpr size_t kSelectionCapacity = 1024;
constexpr size_t kTipCapacity = 100;
// Controls a mimic may stand for: buttons, and the kind numbered 20.
constexpr int kButtonType = 9;
constexpr int kOtherMimicType = 20;

std::string cut(const std::string& text, size_t capacity) {
    return std::string(rt::utf8Prefix(text, capacity));
}

bool blank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

// "&&" shows one "&"; a lone "&" only marks the access key.
std::string withoutAccessMarks(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '&') {
            out += '&';
            ++i;
        }
    }
    return out;
}

}  // namespace

PopupClass::PopupClass() = default;

PopupClass::~PopupClass() {
    Kill();
}

void PopupClass::Init(rt::Window* window) {
    PopupItems = std::make_unique<std::vector<PopupItem>>();
    ClearKeyCode = 1;
    MyThread = rt::threadNumber();
    LastNumberSelection = 0;
    window_ = window;
}

void PopupClass::Kill() {
    if (InToolbox) EndToolbox();
    toolbox_.reset();
    PopupItems.reset();
}

rt::Window* PopupClass::Target() const {
    if (InToolbox) return ParentWindow;
    if (window_) return window_;
    auto open = rt::Window::openWindows();
    return open.empty() ? nullptr : open.back();
}

int PopupClass::Find(const std::string& name) const {
    if (!PopupItems) return -1;
    for (size_t i = 0; i < PopupItems->size(); ++i)
        if ((*PopupItems)[i].Name == name) return static_cast<int>(i);
    return -1;
}

std::string PopupClass::GetUniqueName(const std::string& text) const {
    std::string base;
    if (text == "-") {
        base = "Separator";
    } else {
        for (unsigned char c : text)
            if (std::isalnum(c) || c == '_') base += static_cast<char>(c);
    }
    // A name made of nothing could not be told from a dismissed menu.
    if (base.empty()) base = "Item";
    base = cut(base, kNameCapacity);
    std::string name = base;
    for (int n = 1; Find(name) >= 0; ++n) name = base + std::to_string(n);
    return name;
}

std::string PopupClass::AddItem(const std::string& text) {
    return AddItem(text, GetUniqueName(text));
}

std::string PopupClass::AddItem(const std::string& text, const std::string& name) {
    return AddItem(text, name, "", 0);
}

std::string PopupClass::AddItem(const std::string& text, const std::string& name,
                                const std::string& precedingItem, int level) {
    return SetItem(Find(precedingItem) + 1, level, name, text);
}

std::string PopupClass::SetItem(int position, int level, const std::string& name,
                                const std::string& text) {
    int row = InsertRow(position, level, name, text);
    return row < 0 ? std::string() : (*PopupItems)[row].Name;
}

// Answers the new row's index, or -1 when nothing was inserted.
int PopupClass::InsertRow(int position, int level, const std::string& name,
                          const std::string& text) {
    RT_ASSERT(PopupItems, "PopupClass used before Init");
    bool braces = text.find_first_of("{}") != std::string::npos;
    RT_ASSERT(!braces, "A popup item's text cannot hold \"{\" or \"}\"");
    if (!PopupItems || braces) return -1;
    std::vector<PopupItem>& items = *PopupItems;
    size_t after =
        position <= 0 || position > static_cast<int>(items.size()) ? items.size() : position;
    if (level <= 0) level = position > 0 && after > 0 ? items[after - 1].Depth : 1;
    PopupItem item;
    item.Depth = level;
    item.Name = GetUniqueName(name);
    std::string rest = text;
    if (text != "-") {
        size_t i = 0;
        for (; i < rest.size(); ++i) {
            if (rest[i] == '~')
                item.Disabled = 1;
            else if (rest[i] == '+')
                item.Check = 1;
            else if (rest[i] == '-')
                item.Check = 2;
            else
                break;
        }
        rest.erase(0, i);
    }
    item.Text = cut(rest, kNameCapacity);
    items.insert(items.begin() + after, item);
    return static_cast<int>(after);
}

void PopupClass::AddMenu(const std::string& menuText, int position) {
    RT_ASSERT(!menuText.empty(), "PopupClass::AddMenu needs a menu text");
    if (menuText.empty() || !PopupItems) return;
    if (position == 0) PopupItems->clear();
    int at = position > 0 ? position - 1 : 0;
    int level =
        at > 0 && at <= static_cast<int>(PopupItems->size()) ? (*PopupItems)[at - 1].Depth : 1;
    std::string pending;
    auto endItem = [&] {
        if (!pending.empty()) {
            int row = InsertRow(at, level, pending, pending);
            if (row >= 0) at = row + 1;
        }
        pending.clear();
    };
    for (char c : menuText) {
        if (c != '|' && c != '{' && c != '}') {
            pending += c;
            continue;
        }
        endItem();
        if (c == '{') ++level;
        if (c == '}') {
            RT_ASSERT(level > 1, "Unbalanced \"}\" in a popup menu text");
            if (level > 1) --level;
        }
    }
    endItem();
}

void PopupClass::AddSubMenu(const std::string& text, const std::string& menuText,
                            const std::string& precedingItem) {
    AddSubMenu(rt::rightTrim(text) + "{" + rt::rightTrim(menuText) + "}", precedingItem);
}

void PopupClass::AddSubMenu(const std::string& menuText, const std::string& precedingItem) {
    AddMenu(menuText, Find(precedingItem) + 2);
}

std::string PopupClass::AddItemEvent(const std::string& name, int event, int control) {
    int row = Find(name);
    if (row < 0) row = Find(AddItem(name));
    if (row < 0) return {};
    PopupItem& item = (*PopupItems)[row];
    item.MimicMode = 0;
    item.ControlID = control;
    item.Event = event;
    item.OnToolbox = 1;
    return item.Name;
}

std::string PopupClass::AddItemKey(const std::string& name, int key, int control) {
    std::string made = AddItemEvent(name, rt::EventAlertKey, control);
    int row = Find(made);
    if (row >= 0) (*PopupItems)[row].Key = key;
    return made;
}

std::string PopupClass::AddItemMimic(const std::string& name, int control,
                                     const std::string& text) {
    rt::Window* w = Target();
    int type = w ? static_cast<int>(w->property(control, rt::Prop::Type).number()) : 0;
    bool button = type == kButtonType || type == kOtherMimicType;
    RT_ASSERT(button, "A popup item can only mimic a button");
    if (!button) return {};
    std::string made = AddItemEvent(name, rt::EventAccepted, control);
    int row = Find(made);
    if (row < 0) return {};
    PopupItem& item = (*PopupItems)[row];
    item.Text = cut(text, kNameCapacity);
    item.MimicMode = 1;
    item.OnToolbox = 1;
    return made;
}

void PopupClass::DeleteItem(const std::string& name) {
    int row = Find(name);
    if (row >= 0) PopupItems->erase(PopupItems->begin() + row);
}

void PopupClass::SetItemEnable(const std::string& name, bool enable) {
    int row = Find(name);
    if (row < 0 || (*PopupItems)[row].Text == "-") return;
    (*PopupItems)[row].Disabled = enable ? 2 : 1;
    (*PopupItems)[row].DisabledFromControl = false;
}

void PopupClass::SetIcon(const std::string& name, const std::string& icon) {
    int row = Find(name);
    if (row >= 0) (*PopupItems)[row].Icon = cut(icon, kIconCapacity);
}

void PopupClass::SetToolbox(const std::string& name, bool on) {
    int row = Find(name);
    if (row >= 0) (*PopupItems)[row].OnToolbox = on ? 1 : 0;
}

bool PopupClass::IsTitle(size_t row) const {
    const auto& items = *PopupItems;
    return row + 1 < items.size() && items[row + 1].Depth > items[row].Depth;
}

bool PopupClass::IsChoosable(size_t row, bool onToolbox) const {
    const PopupItem& item = (*PopupItems)[row];
    bool shown = onToolbox ? item.OnToolbox == 1 && item.Text != "-" : item.Text != "-";
    return shown && !IsTitle(row);
}

int PopupClass::GetItems(int mode) const {
    if (!PopupItems) return 0;
    if (mode == 0) return static_cast<int>(PopupItems->size());
    int count = 0, previous = 1;
    for (const PopupItem& item : *PopupItems) {
        if (item.Text == "-") continue;
        if (item.Depth <= previous) ++count;
        previous = item.Depth;
    }
    return count;
}

std::string PopupClass::GetName(int number) const {
    return NameOf(number, InToolbox == 1);
}

std::string PopupClass::NameOf(int number, bool onToolbox) const {
    if (!PopupItems || number <= 0) return {};
    for (size_t row = 0; row < PopupItems->size(); ++row)
        if (IsChoosable(row, onToolbox) && --number == 0) return (*PopupItems)[row].Name;
    return {};
}

void PopupClass::Refresh(PopupItem& item) {
    rt::Window* w = Target();
    if (item.MimicMode != 1 || !w || !w->exists(item.ControlID)) return;
    std::string caption = w->text(item.ControlID);
    if (!blank(caption) && (blank(item.Text) || item.Text[0] == '!')) item.Text = caption;
    if (!item.Text.empty() && item.Text[0] == '!') item.Text.erase(0, 1);
    if (item.Disabled == 0) item.DisabledFromControl = true;
    if (item.DisabledFromControl)
        item.Disabled = w->property(item.ControlID, rt::Prop::Disable).truthy() ? 1 : 2;
    if (blank(item.Icon)) item.Icon = w->property(item.ControlID, rt::Prop::Icon).text();
}

void PopupClass::CheckMimics() {
    if (!PopupItems) return;
    for (PopupItem& item : *PopupItems) Refresh(item);
}

std::string PopupClass::RowText(size_t row, bool icons) {
    PopupItem& item = (*PopupItems)[row];
    Refresh(item);
    std::string text;
    if (item.Disabled == 1) text += '~';
    if (item.Check == 1) text += '+';
    if (item.Check == 2) text += '-';
    if (icons && item.Text != "-") {
        text += '[';
        if (!blank(item.Icon))
            text += std::to_string(rt::kMenuIconAttribute) + "(~" + item.Icon + "),";
        text += std::to_string(kIconSettingAttribute) + "(0)]";
    }
    return text + (Translator ? Translator(item.Text) : item.Text);
}

std::string PopupClass::GetMenuText() {
    if (!PopupItems) return {};
    bool icons = false;
    for (PopupItem& item : *PopupItems) {
        Refresh(item);
        if ((icons = !blank(item.Icon))) break;
    }
    std::string menu;
    int previous = 1;
    for (size_t row = 0; row < PopupItems->size(); ++row) {
        int depth = (*PopupItems)[row].Depth;
        std::string line = (depth == previous  ? "|"
                            : depth > previous ? "{"
                                               : "}") +
                           RowText(row, icons);
        // A row cut in half would garble the menu: rows that do not fit go.
        if (menu.size() + line.size() > kMenuCapacity) break;
        menu += line;
        previous = depth;
    }
    return menu;
}

std::string PopupClass::Ask(int x, int y) {
    if (rt::Window* w = Target()) w->setKeyCode(0);
    return TakeChoice(ExecutePopup(GetMenuText(), x, y), false);
}

int PopupClass::ExecutePopup(const std::string& menu, int x, int y) {
    return rt::PopupMenu(menu).ask(x, y);
}

// The menu numbers every choosable row, the toolbox only its buttons; a menu
// shown while the toolbox is open still counts the menu's way.
std::string PopupClass::TakeChoice(int number, bool fromToolbox) {
    LastNumberSelection = number;
    LastSelection = cut(NameOf(number, fromToolbox), kSelectionCapacity);
    int row = Find(LastSelection);
    if (number <= 0 || row < 0) {
        LastSelection.clear();
        return {};
    }
    const PopupItem& item = (*PopupItems)[row];
    if (item.Event != 0 || item.MimicMode == 1) {
        rt::Window* w = Target();
        if (ClearKeyCode && w) w->setKeyCode(0);
        if (item.Key != 0 && w && rt::threadNumber() == MyThread)
            w->postKey(item.ControlID, item.Key);
        else
            rt::Window::postToThread(MyThread, item.MimicMode == 1 ? rt::EventAccepted : item.Event,
                                     item.ControlID);
    }
    return LastSelection;
}

void PopupClass::Toolbox(const std::string& title) {
    if (InToolbox || !PopupItems) return;
    ParentWindow = Target();
    InToolbox = 1;
    AskToolbox(title);
}

// Opens the toolbox and returns; its buttons are taken as they are pressed
// (TakeToolboxEvent) until it is closed.
void PopupClass::AskToolbox(const std::string& title) {
    SetUntooledControls(false);
    toolbox_ = std::make_unique<PopupToolbox>(title);
    ThisWindow = &toolbox_->window();
    ResetToolbox();
    toolbox_->open([this](const rt::WindowEvent& e) { TakeToolboxEvent(e); });
}

void PopupClass::ResetToolbox() {
    if (!toolbox_ || !PopupItems) return;
    std::vector<PopupToolbox::Button> buttons;
    for (size_t row = 0; row < PopupItems->size(); ++row) {
        if (!IsChoosable(row, true)) continue;
        PopupItem& item = (*PopupItems)[row];
        Refresh(item);
        PopupToolbox::Button b;
        b.disabled = item.Disabled == 1;
        if (blank(item.Icon)) {
            b.text = item.Text;
        } else {
            b.icon = item.Icon;
            b.tip = cut(withoutAccessMarks(item.Text), kTipCapacity);
        }
        buttons.push_back(b);
    }
    toolbox_->setButtons(buttons);
}

void PopupClass::TakeToolboxEvent(const rt::WindowEvent& e) {
    if (e.event == rt::EventTimer) {
        ResetToolbox();
        return;
    }
    int number = 0;
    if (e.event == rt::EventAccepted) {
        number = toolbox_->buttonNumber(e.control);
        if (number == 0) return;
    } else if (e.event != rt::EventCloseWindow) {
        return;
    }
    if (TakeChoice(number, true).empty()) EndToolbox();
}

// The window object outlives its close: its own event handler may be the
// caller. The next Toolbox or Kill disposes of it.
void PopupClass::EndToolbox() {
    if (ThisWindow) ThisWindow->close();
    ThisWindow = nullptr;
    SetUntooledControls(true);
    InToolbox = 0;
    ParentWindow = nullptr;
}

// Controls whose rows are not on the toolbox rest while it is open; coming
// back, only those the program had not disabled itself wake up again.
void PopupClass::SetUntooledControls(bool enable) {
    rt::Window* w = ParentWindow;
    if (!w || !PopupItems) return;
    for (const PopupItem& item : *PopupItems) {
        if (item.Text == "-" || item.OnToolbox == 1 || item.ControlID == 0) continue;
        if (!enable)
            w->disable(item.ControlID);
        else if (item.Disabled != 1)
            w->enable(item.ControlID);
    }
}
