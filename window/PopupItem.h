#pragma once
// One line of a PopupClass menu, in display order: what it shows, how it is
// nested, and what choosing it does. A plain value.

#include <string>

struct PopupItem {
    int ControlID = 0;  // control that receives the item's event (0 = none)
    int Depth = 1;      // nesting level; a row followed by a deeper one is a submenu title
    int Event = 0;      // event posted when chosen (0 = none)
    int Key = 0;        // key an alert-key item stands for (0 = none)
    int MimicMode = 0;  // 1: mirrors ControlID's caption, icon and state; posts EventAccepted
    int Disabled = 0;   // 0 undetermined, 1 disabled, 2 enabled
    int Check = 0;      // 0 not a check item, 1 marked, 2 unmarked
    int OnToolbox = 0;  // 1: shown as a button on the toolbox
    std::string Icon;
    std::string Name;  // unique within the menu
    std::string Text;  // "-" is a separator; a mimic's "!x" means the caption, else x
    // A mimic's state follows its control on every refresh until the
    // program sets it with SetItemEnable.
    bool DisabledFromControl = false;
};
