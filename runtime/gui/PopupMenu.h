#pragma once
// A popup menu built from a menu string: "|" separates items, "{" opens a
// submenu titled by the item before it, "}" closes it, "-" alone is a
// separator line, and an item's text may start with "~" (disabled), "+"
// (checked), "-" (unchecked check item) and a bracketed attribute list
// ("[31848(~icon.ico),31290(n)]" sets the icon). Selectable items are
// numbered from 1 in order; showing the menu answers the number chosen, or 0
// when it was dismissed. GUI thread only.

#include <string>
#include <string_view>
#include <vector>

namespace rt {

struct MenuItem {
    int depth = 1;  // 1 = top level
    std::string text;
    std::string icon;
    bool disabled = false;
    int check = 0;  // 0 plain, 1 checked, 2 unchecked check item
    bool separator = false;
    bool submenu = false;  // a title that opens the items below it
    int number = 0;        // selectable items only
};

class PopupMenu {
  public:
    explicit PopupMenu(std::string_view menu);
    const std::vector<MenuItem>& items() const { return items_; }
    int selectableCount() const { return selectable_; }
    // Shows the menu at (x, y) in the newest window's dialog units, or at
    // the mouse when both are 0; answers the chosen item's number or 0.
    int ask(int x = 0, int y = 0) const;

  private:
    void add(std::string text, int depth);
    std::vector<MenuItem> items_;
    int selectable_ = 0;
};

// The attribute code that carries an item's icon in the bracketed prefix.
constexpr int kMenuIconAttribute = 31848;

}  // namespace rt
