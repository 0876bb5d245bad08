#pragma once
// The focus highlight every window of the program uses: a yellow background
// and bold text, a yellow box with a black border 2 units around the control,
// and a grey "»" 8 units to its left.

namespace rt {
class Window;
}
class EnhancedFocusClassType;

// REQUIRES: window is open and outlives highlighter's use of it.
void InitFocusDefaults(EnhancedFocusClassType& highlighter, rt::Window& window);
