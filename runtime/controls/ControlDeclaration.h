#pragma once
// One control of a window declaration: kind, texts, place and size in dialog
// units, looks, bound variable and flags. A plain value; the bound variable
// is borrowed and must outlive every window opened from the declaration.

#include <string>

#include "runtime/controls/ControlKind.h"
#include "runtime/text/FieldRef.h"

namespace rt {

enum ControlFlag : unsigned {
    FlagRequired = 1u << 0,    // entry: the accept-all pass stops while it is blank
    FlagMasked = 1u << 1,      // entry: shows placeholders instead of characters
    FlagReadOnly = 1u << 2,    // entry or text: the user cannot change it
    FlagDefault = 1u << 3,     // button: pressed by Enter
    FlagHidden = 1u << 4,      // not shown when the window opens
    FlagDisabled = 1u << 5,    // shown but unusable when the window opens
    FlagVScroll = 1u << 6,     // list or text: has a vertical scroll bar
    FlagPageLoaded = 1u << 7,  // list: reports scroll events instead of scrolling
    FlagImmediate = 1u << 8,   // region: reports mouse movement
    FlagFlat = 1u << 9,        // button: no raised frame
};

// A colour as the framework stores it: red in the low byte, then green, then
// blue; ColorNone leaves the toolkit's default.
constexpr int ColorNone = -1;
// The desktop's colour for text that cannot be used now.
int systemGrayTextColor();

struct ControlDeclaration {
    ControlKind kind = ControlKind::String;
    std::string text;
    int x = 0, y = 0, width = 0, height = 0;  // dialog units; 0 = natural size
    FieldRef use;
    std::string picture;  // display picture of the bound variable
    std::string format;   // list: column format string
    std::string icon;
    std::string tip;
    std::string message;  // entry: said when a required entry is left blank
    std::string fontFamily;
    int fontSize = 0;  // points; 0 = the window's
    int fontColor = ColorNone;
    int background = ColorNone;
    int parent = 0;  // the sheet, tab or group control that holds it
    unsigned flags = 0;
    // The number the window's header gives this control; 0 = not named, and
    // the control is numbered by its place. The window checks when it opens
    // that no two controls share a number.
    int number = 0;

    ControlDeclaration& at(int px, int py, int w = 0, int h = 0) {
        x = px, y = py, width = w, height = h;
        return *this;
    }
    ControlDeclaration& bind(FieldRef ref, std::string pic = {}) {
        use = ref, picture = std::move(pic);
        return *this;
    }
    ControlDeclaration& with(unsigned f) {
        flags |= f;
        return *this;
    }
    ControlDeclaration& numbered(int n) {
        number = n;
        return *this;
    }
    ControlDeclaration& in(int parentControl) {
        parent = parentControl;
        return *this;
    }
    ControlDeclaration& tipText(std::string t) {
        tip = std::move(t);
        return *this;
    }
    ControlDeclaration& iconName(std::string i) {
        icon = std::move(i);
        return *this;
    }
    ControlDeclaration& requiredMessage(std::string m) {
        flags |= FlagRequired, message = std::move(m);
        return *this;
    }
    ControlDeclaration& font(std::string family, int size, int color = ColorNone) {
        fontFamily = std::move(family), fontSize = size, fontColor = color;
        return *this;
    }
    ControlDeclaration& listFormat(std::string f) {
        format = std::move(f);
        return *this;
    }
};

inline ControlDeclaration control(ControlKind kind, std::string text = {}) {
    ControlDeclaration d;
    d.kind = kind;
    d.text = std::move(text);
    return d;
}

}  // namespace rt
