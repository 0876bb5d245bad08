#include "runtime/controls/KeyCodes.h"

#include <utility>

#include "runtime/controls/Events.h"

namespace rt {

namespace {

// clang-format off
constexpr std::pair<int, int> kNamedKeys[] = {
    {Qt::Key_Backspace, BSKey},   {Qt::Key_Tab, TabKey},       {Qt::Key_Backtab, TabKey},
    {Qt::Key_Return, EnterKey},   {Qt::Key_Enter, EnterKey},   {Qt::Key_Escape, EscKey},
    {Qt::Key_Space, SpaceKey},    {Qt::Key_PageUp, PgUpKey},   {Qt::Key_PageDown, PgDnKey},
    {Qt::Key_End, EndKey},        {Qt::Key_Home, HomeKey},     {Qt::Key_Left, LeftKey},
    {Qt::Key_Up, UpKey},          {Qt::Key_Right, RightKey},   {Qt::Key_Down, DownKey},
    {Qt::Key_Insert, InsertKey},  {Qt::Key_Delete, DeleteKey}, {Qt::Key_Menu, AppsKey},
};
// clang-format on

int modifierValue(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? KeyShift : 0) | (m & Qt::ControlModifier ? KeyCtrl : 0) |
           (m & Qt::AltModifier ? KeyAlt : 0);
}

int baseKey(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;  // the toolkit uses the same character codes
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return F1Key + (qtKey - Qt::Key_F1);
    for (auto [qt, code] : kNamedKeys)
        if (qt == qtKey) return code;
    return 0;
}

}  // namespace

int keyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
    int base = baseKey(qtKey);
    if (base == 0) return 0;
    // Shift+Tab arrives as its own key; it is Tab with Shift either way.
    if (qtKey == Qt::Key_Backtab) modifiers |= Qt::ShiftModifier;
    return base + modifierValue(modifiers);
}

int mouseKeyCode(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool doubleClick,
                 bool release) {
    int base = 0;
    if (button == Qt::LeftButton) base = doubleClick ? MouseLeft2 : MouseLeft;
    if (button == Qt::RightButton) base = doubleClick ? MouseRight2 : MouseRight;
    if (button == Qt::MiddleButton) base = MouseCenter;
    if (base == 0) return 0;
    if (release) base += 128;
    return base + modifierValue(modifiers);
}

int qtKeyFromCode(int code) {
    int base = code & 0xFF;
    if ((base >= 'A' && base <= 'Z') || (base >= '0' && base <= '9')) return base;
    if (base >= F1Key && base < F1Key + 12) return Qt::Key_F1 + (base - F1Key);
    for (auto [qt, c] : kNamedKeys)
        if (c == base) return qt;
    return 0;
}

Qt::KeyboardModifiers modifiersFromCode(int code) {
    Qt::KeyboardModifiers m;
    if (code & KeyShift) m |= Qt::ShiftModifier;
    if (code & KeyCtrl) m |= Qt::ControlModifier;
    if (code & KeyAlt) m |= Qt::AltModifier;
    return m;
}

}  // namespace rt
