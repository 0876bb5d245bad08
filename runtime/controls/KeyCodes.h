#pragma once
// Translation between the toolkit's keys and mouse buttons and the runtime's
// key codes (base key + Shift 256, Ctrl 512, Alt 1024). GUI code only.

#include <Qt>

namespace rt {

// 0 for keys that have no code (lone modifiers).
int keyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
// Press, double-click or release of a mouse button.
int mouseKeyCode(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool doubleClick,
                 bool release);
// The toolkit key and modifiers that make code (for the robot's typing).
int qtKeyFromCode(int code);
Qt::KeyboardModifiers modifiersFromCode(int code);

}  // namespace rt
